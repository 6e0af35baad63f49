// The font image's cells: digits and punctuation on the top row, the accented letters and the
// colon below them, then the lower-case and the upper-case letters.
#include "gfx/glyph_map.h"

#include <array>

namespace {

constexpr char kSymbolRow[] = "0123456789.,-_?!()<>{}=+*/\\#&@'\"";

struct CodedCharacter {
    std::uint8_t byte;
    char32_t codePoint;
};

// The second row: the accented letters at their Windows-1250 bytes, then the colon.
constexpr CodedCharacter kAccentRow[] = {
    {0xC1, 0x00C1}, {0xC9, 0x00C9}, {0xCD, 0x00CD}, {0xD3, 0x00D3}, {0xD6, 0x00D6},
    {0xD5, 0x0150}, {0xDA, 0x00DA}, {0xDC, 0x00DC}, {0xDB, 0x0170}, {0xE1, 0x00E1},
    {0xE9, 0x00E9}, {0xED, 0x00ED}, {0xF3, 0x00F3}, {0xF6, 0x00F6}, {0xF5, 0x0151},
    {0xFA, 0x00FA}, {0xFC, 0x00FC}, {0xFB, 0x0171}, {':', ':'},
};

constexpr char kLowerRow[] = "abcdefghijklmnopqrstuvwxyz";
constexpr char kUpperRow[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

void addAsciiRow(std::vector<Glyph>& glyphs, const char* characters, int row) {
    for (int column = 0; characters[column] != '\0'; ++column) {
        const auto byte = static_cast<std::uint8_t>(characters[column]);
        glyphs.push_back({byte, byte, column, row});
    }
}

std::vector<Glyph> makeFontGlyphs() {
    std::vector<Glyph> glyphs;
    addAsciiRow(glyphs, kSymbolRow, 0);
    int column = 0;
    for (const CodedCharacter& character : kAccentRow) {
        glyphs.push_back({character.byte, character.codePoint, column++, 1});
    }
    addAsciiRow(glyphs, kLowerRow, 2);
    addAsciiRow(glyphs, kUpperRow, 3);
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
