// Reading an image file and checking what it is before any decoder sees it.
#pragma once

#include <cstdint>
#include <vector>

enum class ImageKind { unsupported, png, bmp };

struct ImageHeader {
    ImageKind kind = ImageKind::unsupported;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The longest side the game decodes, whatever the GL driver allows: its own images are at most
// 1024 pixels wide, and an 8192 x 8192 pattern would take seconds and a gigabyte to load.
constexpr std::uint32_t kMaxImageSide = 4096;

// What the bytes claim to be: a PNG whose chunks all lie inside the file, or an uncompressed 24-
// or 32-bit BMP, with its size.
ImageHeader inspectImage(const std::vector<std::uint8_t>& bytes);

// Whether a declared size is one we are willing to decode and upload.
bool imageSizeAcceptable(const ImageHeader& header, std::uint32_t maxSide);

// Reads a regular file whole; false when it is missing, unreadable, a folder or too large.
bool readImageFile(const char* path, std::vector<std::uint8_t>& bytes);
