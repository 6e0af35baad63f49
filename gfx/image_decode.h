// Decoding checked image bytes with DevIL into 8-bit RGB or RGBA rows, bottom row first; no GL.
#pragma once

#include <cstdint>
#include <vector>

enum class DecodeResult {
    ok,
    refused,        // not an image we accept by content or declared size, or DevIL can't read it
    unknownFormat,  // neither RGB nor RGBA: grey, grey with alpha, palette
    devilError,     // DevIL reported a fault after decoding
};

// Decodes `bytes` into DevIL's bound image, each side at most `maxSide`. The decoder is chosen
// by the content, never by a file name. Needs ilInit and iluInit, but no GL context.
DecodeResult decodeImage(const std::vector<std::uint8_t>& bytes, std::uint32_t maxSide);
