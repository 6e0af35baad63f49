// Image files are sniffed by their content and their declared size is checked, so that a
// hostile or mislabelled file never reaches a decoder that would misread it.
#include "gfx/image_file.h"

#include <cstdio>
#include <cstring>

#include "core/files.h"

namespace {

constexpr std::uint64_t kMaxFileBytes = 256u << 20;
// At most 8 bytes per decoded pixel (16-bit RGBA): 64 Mpixels stay within 512 MiB.
constexpr std::uint64_t kMaxPixels = 64u << 20;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

std::uint32_t littleEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// Every chunk up to IEND must lie wholly inside the file. DevIL's memory reader leaves the part
// of a read beyond the end unfilled, so libpng would work on bytes that are not there; a bogus
// length on an ancillary chunk has it crawl through gigabytes of them.
bool pngChunksInsideFile(const std::vector<std::uint8_t>& b) {
    std::size_t at = 8;
    while (b.size() - at >= 12) {
        const std::uint32_t length = bigEndian32(&b[at]);
        if (length > b.size() - at - 12) return false;
        if (std::memcmp(&b[at + 4], "IEND", 4) == 0) return true;
        at += 12 + std::size_t{length};
    }
    return false;
}

ImageHeader inspectPng(const std::vector<std::uint8_t>& b) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ImageHeader header;
    if (b.size() < 33 || std::memcmp(b.data(), kSignature, 8) != 0) return header;
    if (bigEndian32(&b[8]) != 13 || std::memcmp(&b[12], "IHDR", 4) != 0) return header;
    if (!pngChunksInsideFile(b)) return header;
    header.kind = ImageKind::png;
    header.width = bigEndian32(&b[16]);
    header.height = bigEndian32(&b[20]);
    return header;
}

ImageHeader inspectBmp(const std::vector<std::uint8_t>& b) {
    ImageHeader header;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return header;
    const std::uint32_t infoSize = littleEndian32(&b[14]);
    const auto width = static_cast<std::int32_t>(littleEndian32(&b[18]));
    const auto height = static_cast<std::int32_t>(littleEndian32(&b[22]));
    const unsigned bits = b[28] | (b[29] << 8);
    const std::uint32_t compression = littleEndian32(&b[30]);
    const std::uint32_t pixelOffset = littleEndian32(&b[10]);
    if (infoSize < 40 || compression != 0 || (bits != 24 && bits != 32)) return header;
    if (width <= 0 || height <= 0 || pixelOffset >= b.size()) return header;
    // Rows are padded to 4 bytes; the file must hold every row it declares.
    const std::uint64_t row = (std::uint64_t(width) * bits / 8 + 3) / 4 * 4;
    if (pixelOffset + row * std::uint64_t(height) > b.size()) return header;
    header.kind = ImageKind::bmp;
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(height);
    return header;
}

}  // namespace

ImageHeader inspectImage(const std::vector<std::uint8_t>& bytes) {
    ImageHeader header = inspectPng(bytes);
    if (header.kind == ImageKind::unsupported) header = inspectBmp(bytes);
    return header;
}

bool imageSizeAcceptable(const ImageHeader& header, std::uint32_t maxSide) {
    if (header.width == 0 || header.height == 0) return false;
    if (header.width > maxSide || header.height > maxSide) return false;
    return std::uint64_t{header.width} * header.height <= kMaxPixels;
}

bool readImageFile(const char* path, std::vector<std::uint8_t>& bytes) {
    const FileContent content = readRegularFile(path, kMaxFileBytes);
    if (content.status != FileContent::Status::ok) return false;
    bytes.assign(content.data.begin(), content.data.end());
    return true;
}
