// Sniffing image files by their content, the declared-size limits and reading files whole.
#include "gfx/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::uint8_t> kPixels(3 * 2 * 4, 7);

void putLittleEndian32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = (value >> (8 * i)) & 0xFF;
}

bool unsupported(const std::vector<std::uint8_t>& bytes) {
    return inspectImage(bytes).kind == ImageKind::unsupported;
}

}  // namespace

TEST(ImageFile, PngIsKnownByItsSignatureAndHeaderChunk) {
    const auto png = encodePng(3, 2, 2, 8, std::vector<std::uint8_t>(18));
    const ImageHeader header = inspectImage(png);
    EXPECT_EQ(header.kind, ImageKind::png);
    EXPECT_EQ(header.width, 3u);
    EXPECT_EQ(header.height, 2u);

    auto signature = png;
    signature[1] = 'Q';
    auto chunkLength = png;
    chunkLength[11] = 14;
    auto chunkType = png;
    chunkType[15] = 'X';
    EXPECT_TRUE(unsupported(signature));
    EXPECT_TRUE(unsupported(chunkLength));
    EXPECT_TRUE(unsupported(chunkType));
    EXPECT_TRUE(unsupported({png.begin(), png.begin() + 32}));  // the header ends at byte 33
    EXPECT_TRUE(unsupported({}));
}

TEST(ImageFile, OnlyUncompressedComplete24And32BitBmpsAreKnown) {
    for (const int bits : {24, 32}) {
        const ImageHeader header = inspectImage(encodeBmp(3, 2, bits, kPixels));
        EXPECT_EQ(header.kind, ImageKind::bmp) << bits;
        EXPECT_EQ(header.width, 3u);
        EXPECT_EQ(header.height, 2u);
    }
    const auto bmp = encodeBmp(3, 2, 24, kPixels);  // rows of 9 bytes padded to 12
    auto sixteenBits = bmp;
    sixteenBits[28] = 16;
    auto compressed = bmp;
    putLittleEndian32(compressed, 30, 1);
    auto coreHeader = bmp;
    putLittleEndian32(coreHeader, 14, 12);
    auto noWidth = bmp;
    putLittleEndian32(noWidth, 18, 0);
    auto topDown = bmp;
    putLittleEndian32(topDown, 22, static_cast<std::uint32_t>(-2));
    auto pixelsBeyondEnd = bmp;
    putLittleEndian32(pixelsBeyondEnd, 10, static_cast<std::uint32_t>(bmp.size()));
    auto tallerThanData = bmp;
    putLittleEndian32(tallerThanData, 22, 3);
    auto hugeWidth = bmp;
    putLittleEndian32(hugeWidth, 18, 0x7FFFFFFF);

    EXPECT_TRUE(unsupported(sixteenBits));
    EXPECT_TRUE(unsupported(compressed));
    EXPECT_TRUE(unsupported(coreHeader));
    EXPECT_TRUE(unsupported(noWidth));
    EXPECT_TRUE(unsupported(topDown));
    EXPECT_TRUE(unsupported(pixelsBeyondEnd));
    EXPECT_TRUE(unsupported(tallerThanData));
    EXPECT_TRUE(unsupported(hugeWidth));
    EXPECT_TRUE(unsupported({bmp.begin(), bmp.end() - 1}));  // the last row cut short
    EXPECT_TRUE(unsupported({bmp.begin(), bmp.begin() + 53}));
}

TEST(ImageFile, SizeMustBeNonZeroWithinTheSideAndThePixelBudget) {
    const auto size = [](std::uint32_t w, std::uint32_t h) {
        return ImageHeader{ImageKind::png, w, h};
    };
    EXPECT_TRUE(imageSizeAcceptable(size(1, 1), 16384));
    EXPECT_TRUE(imageSizeAcceptable(size(16384, 1), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(16385, 1), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(1, 16385), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(0, 4), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(4, 0), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(100000, 1), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(65536, 65536), 1u << 20));
    // 64 Mpixels at most, whatever the side limit.
    EXPECT_TRUE(imageSizeAcceptable(size(8192, 8192), 16384));
    EXPECT_FALSE(imageSizeAcceptable(size(8192, 8193), 16384));
}

TEST(ImageFile, ReadsOnlyRegularFilesWhole) {
    const fs::path folder = makeScratchFolder("quorl-image-file");
    const std::vector<std::uint8_t> content = {1, 2, 3, 0, 255};
    writeFile(folder / "data", content);
    writeFile(folder / "empty", {});
    std::vector<std::uint8_t> bytes = {9};

    EXPECT_TRUE(readImageFile((folder / "data").c_str(), bytes));
    EXPECT_EQ(bytes, content);
    EXPECT_TRUE(readImageFile((folder / "empty").c_str(), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(readImageFile((folder / "missing").c_str(), bytes));
    EXPECT_FALSE(readImageFile(folder.c_str(), bytes));
    fs::remove_all(folder);
}
