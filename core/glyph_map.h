// Which bytes of the game's single-byte character set the font image draws, the cell each one
// sits in, and its Unicode code point. Free of GL so that the settings tool shares it.
#pragma once

#include <cstdint>
#include <vector>

// The font image is a grid of 32 columns by 4 rows of glyph cells.
constexpr int kGlyphColumns = 32;
constexpr int kGlyphRows = 4;

struct Glyph {
    std::uint8_t byte;   // the game's byte: ASCII, or Windows-1250 for the accented letters
    char32_t codePoint;  // the character's Unicode code point
    int column;          // 0 is the left edge of the font image
    int row;             // 0 is the top edge of the font image
};

// Every glyph of the font, row by row from the top and left to right within a row.
const std::vector<Glyph>& fontGlyphs();

// The glyph of `byte`, or nullptr for a byte the font has no cell for (the space among them).
const Glyph* findGlyph(std::uint8_t byte);
