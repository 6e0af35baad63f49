// The game's bytes that its font draws, mapped to and from UTF-8 with utf8cpp: ASCII letters,
// digits and punctuation, and accented letters at their Windows-1250 bytes.
#include "core/codepage.h"

#include <utf8.h>

#include <cctype>
#include <cstdio>

#include "core/config_error.h"
#include "core/glyph_map.h"
#include "core/text.h"

namespace {

// Code point of a byte the game can show: one the font draws, or the space; 0 for any other.
char32_t codePointOf(std::uint8_t byte) {
    if (byte == ' ') return ' ';
    const Glyph* glyph = findGlyph(byte);
    return glyph != nullptr ? glyph->codePoint : 0;
}

// Game byte of a code point; 0 when the font has no glyph for it.
std::uint8_t byteOf(char32_t codePoint) {
    if (codePoint == ' ') return ' ';
    for (const Glyph& glyph : fontGlyphs()) {
        if (glyph.codePoint == codePoint) return glyph.byte;
    }
    return 0;
}

std::string utf8Of(char32_t cp) {
    std::string text;
    utf8::append(cp, text);
    return text;
}

std::string describeCodePoint(char32_t cp) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(cp));
    if (cp < 0x20 || cp == 0x7F) return number;
    return "'" + utf8Of(cp) + "' (" + number + ")";
}

}  // namespace

bool fontDraws(std::uint8_t byte) {
    return codePointOf(byte) != 0;
}

std::string utf8ToGameBytes(const std::string& utf8) {
    // The characters before a malformed sequence are looked at first, as a reader meets them.
    const std::size_t invalid = utf8::find_invalid(utf8);
    std::string bytes;
    for (const char32_t cp : utf8::utf8to32(utf8.substr(0, invalid))) {
        const std::uint8_t byte = byteOf(cp);
        if (byte == 0) {
            throw ConfigError("the game's font cannot draw the character " + describeCodePoint(cp));
        }
        bytes += static_cast<char>(byte);
    }
    if (invalid != std::string::npos) {
        throw ConfigError("it is not valid UTF-8 (byte " + hexEscape(utf8[invalid]) +
                          " at position " + std::to_string(invalid + 1) + ")");
    }
    return bytes;
}

std::string gameBytesToUtf8(const std::string& bytes) {
    std::string utf8;
    for (const char c : bytes) {
        const char32_t cp = codePointOf(static_cast<std::uint8_t>(c));
        utf8 += cp != 0 ? utf8Of(cp) : hexEscape(c);
    }
    return utf8;
}

const std::string& drawableCharacters() {
    static const std::string text = [] {
        std::string punctuation, accented;
        for (const Glyph& glyph : fontGlyphs()) {
            if (glyph.codePoint >= 0x80) {
                accented += " " + utf8Of(glyph.codePoint);
            } else if (std::isalnum(glyph.byte) == 0) {
                punctuation += std::string(1, static_cast<char>(glyph.byte)) + " ";
            }
        }
        return "letters a-z A-Z, digits 0-9, space, " + punctuation + "and the accented letters" +
               accented;
    }();
    return text;
}
