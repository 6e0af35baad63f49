// Tests of the mapping between UTF-8 and the game's single-byte character set.
#include "core/codepage.h"

#include <gtest/gtest.h>

#include <cctype>

#include "core/glyph_map.h"
#include "test_support.h"

namespace {

struct Letter {
    const char* utf8;
    std::uint8_t byte;
};

// The accented letters of the font at their Windows-1250 positions.
constexpr Letter kAccentedLetters[] = {
    {"Á", 0xC1}, {"É", 0xC9}, {"Í", 0xCD}, {"Ó", 0xD3}, {"Ö", 0xD6}, {"Ő", 0xD5},
    {"Ú", 0xDA}, {"Ü", 0xDC}, {"Ű", 0xDB}, {"á", 0xE1}, {"é", 0xE9}, {"í", 0xED},
    {"ó", 0xF3}, {"ö", 0xF6}, {"ő", 0xF5}, {"ú", 0xFA}, {"ü", 0xFC}, {"ű", 0xFB},
};

std::string conversionError(const std::string& utf8) {
    return configError([&] { utf8ToGameBytes(utf8); });
}

TEST(CodePage, AccentedLettersMapBothWays) {
    for (const Letter& letter : kAccentedLetters) {
        const std::string byte(1, static_cast<char>(letter.byte));
        EXPECT_EQ(utf8ToGameBytes(letter.utf8), byte) << letter.utf8;
        EXPECT_EQ(gameBytesToUtf8(byte), letter.utf8) << int(letter.byte);
        EXPECT_TRUE(fontDraws(letter.byte)) << letter.utf8;
    }
    EXPECT_EQ(utf8ToGameBytes("Ödön Űr"), "\xD6\x64\xF6n \xDBr");
}

TEST(CodePage, AsciiPassesThroughOnlyWhereTheFontDraws) {
    const std::string drawable = "azAZ09 .,-_?!()<>{}=+*/\\#&@'\":";
    EXPECT_EQ(utf8ToGameBytes(drawable), drawable);
    EXPECT_EQ(gameBytesToUtf8(drawable), drawable);
    for (const char c : std::string(";$%~[]^`|\t\x7F")) {
        EXPECT_FALSE(fontDraws(c)) << int(c);
        EXPECT_NE(conversionError(std::string(1, c)), "") << int(c);
    }
    EXPECT_FALSE(fontDraws(0));
    EXPECT_EQ(gameBytesToUtf8("A\x01\xE4;"), "A\\x01\\xE4\\x3B");
}

TEST(CodePage, EveryGlyphOfTheFontRoundTripsThroughUtf8) {
    for (const Glyph& glyph : fontGlyphs()) {
        const std::string byte(1, static_cast<char>(glyph.byte));
        EXPECT_TRUE(fontDraws(glyph.byte)) << int{glyph.byte};
        EXPECT_EQ(utf8ToGameBytes(gameBytesToUtf8(byte)), byte) << int{glyph.byte};
        // Letters and digits are described as ranges; every other character is listed.
        if (glyph.byte >= 0x80 || std::isalnum(glyph.byte) == 0) {
            EXPECT_TRUE(contains(drawableCharacters() + " ", " " + gameBytesToUtf8(byte) + " "))
                << int{glyph.byte};
        }
    }
}

TEST(CodePage, NamesTheCharacterTheFontLacks) {
    EXPECT_EQ(conversionError("Ödön€"), "the game's font cannot draw the character '€' (U+20AC)");
    // Latin-1 puts Õ and ä where Windows-1250 has Ő and other letters; neither is in the font.
    EXPECT_TRUE(contains(conversionError("Õ"), "U+00D5"));
    EXPECT_TRUE(contains(conversionError("ä"), "U+00E4"));
    EXPECT_EQ(conversionError("a\tb"), "the game's font cannot draw the character U+0009");
}

TEST(CodePage, RefusesMalformedUtf8) {
    for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "a\xFF"})
        EXPECT_TRUE(contains(conversionError(bad), "not valid UTF-8")) << bad;
}

}  // namespace
