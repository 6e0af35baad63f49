// The font image's cells, from the rows in glyph_rows.inc: digits and punctuation on the top
// row, the accented letters and the colon below them, then the lower-case and the upper-case
// letters.
#include "core/glyph_map.h"

#include <utf8.h>

#include <array>
#include <string>

namespace {

const char* const kRowTexts[] = {
#include "core/glyph_rows.inc"
};
static_assert(sizeof kRowTexts / sizeof kRowTexts[0] == kGlyphRows);

// The game's bytes for the letters beyond ASCII: their Windows-1250 codes.
struct CodedLetter {
    char32_t codePoint;
    std::uint8_t byte;
};

constexpr CodedLetter kWindows1250[] = {
    {0x00C1, 0xC1}, {0x00C9, 0xC9}, {0x00CD, 0xCD}, {0x00D3, 0xD3}, {0x00D6, 0xD6}, {0x0150, 0xD5},
    {0x00DA, 0xDA}, {0x00DC, 0xDC}, {0x0170, 0xDB}, {0x00E1, 0xE1}, {0x00E9, 0xE9}, {0x00ED, 0xED},
    {0x00F3, 0xF3}, {0x00F6, 0xF6}, {0x0151, 0xF5}, {0x00FA, 0xFA}, {0x00FC, 0xFC}, {0x0171, 0xFB},
};

std::uint8_t gameByte(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<std::uint8_t>(codePoint);
    for (const CodedLetter& letter : kWindows1250) {
        if (letter.codePoint == codePoint) return letter.byte;
    }
    return 0;
}

std::vector<Glyph> makeFontGlyphs() {
    std::vector<Glyph> glyphs;
    int row = 0;
    for (const char* text : kRowTexts) {
        int column = 0;
        for (const char32_t codePoint : utf8::utf8to32(std::string(text))) {
            glyphs.push_back({gameByte(codePoint), codePoint, column++, row});
        }
        ++row;
    }
    return glyphs;
}

// Every byte's glyph, or nullptr; the renderer looks up each character it draws.
std::array<const Glyph*, 256> makeGlyphIndex() {
    std::array<const Glyph*, 256> index{};
    for (const Glyph& glyph : fontGlyphs()) index[glyph.byte] = &glyph;
    return index;
}

}  // namespace

const std::vector<Glyph>& fontGlyphs() {
    static const std::vector<Glyph> glyphs = makeFontGlyphs();
    return glyphs;
}

const Glyph* findGlyph(std::uint8_t byte) {
    static const std::array<const Glyph*, 256> index = makeGlyphIndex();
    return index[byte];
}
