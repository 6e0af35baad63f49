// The font's glyph map: one glyph per byte and per cell, all inside the font image.
#include "core/glyph_map.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

TEST(GlyphMap, EachGlyphHasAByteAndACellOfItsOwn) {
    std::set<std::uint8_t> bytes;
    std::set<std::pair<int, int>> cells;
    for (const Glyph& glyph : fontGlyphs()) {
        EXPECT_TRUE(bytes.insert(glyph.byte).second) << "byte " << int{glyph.byte} << " twice";
        EXPECT_TRUE(cells.insert({glyph.column, glyph.row}).second) << "byte " << int{glyph.byte};
        EXPECT_TRUE(glyph.column >= 0 && glyph.column < kGlyphColumns) << int{glyph.byte};
        EXPECT_TRUE(glyph.row >= 0 && glyph.row < kGlyphRows) << int{glyph.byte};
        EXPECT_EQ(findGlyph(glyph.byte), &glyph) << int{glyph.byte};
    }
    EXPECT_EQ(bytes.size(), 103u);
    for (int byte = 0; byte < 256; ++byte) {
        if (bytes.count(static_cast<std::uint8_t>(byte)) == 0) {
            EXPECT_EQ(findGlyph(static_cast<std::uint8_t>(byte)), nullptr) << byte;
        }
    }
}
