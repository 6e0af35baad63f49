// The game's bytes that its font draws, mapped to and from UTF-8: ASCII letters, digits and
// punctuation, and accented letters at their Windows-1250 bytes.
#include "tools/quorl_config/codepage.h"

#include <cctype>
#include <cstdio>

#include "gfx/glyph_map.h"
#include "tools/quorl_config/config_error.h"

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

std::string encodeUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Length of the UTF-8 sequence that `lead` starts; 0 when it starts none.
int sequenceLength(std::uint8_t lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

// Decodes the code point at `pos` and moves past it; throws on a malformed sequence.
char32_t nextCodePoint(const std::string& text, std::size_t& pos) {
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    const int length = sequenceLength(lead);
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length != 0 && pos + length <= text.size();
    for (int i = 1; valid && i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        valid = (next & 0xC0) == 0x80;
        cp = (cp << 6) | (next & 0x3F);
    }
    valid = valid && cp >= kSmallest[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (!valid) {
        throw ConfigError("it is not valid UTF-8 (byte " + hexEscape(text[pos]) + " at position " +
                          std::to_string(pos + 1) + ")");
    }
    pos += length;
    return cp;
}

std::string describeCodePoint(char32_t cp) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(cp));
    if (cp < 0x20 || cp == 0x7F) return number;
    return "'" + encodeUtf8(cp) + "' (" + number + ")";
}

}  // namespace

bool fontDraws(std::uint8_t byte) {
    return codePointOf(byte) != 0;
}

std::string utf8ToGameBytes(const std::string& utf8) {
    std::string bytes;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = nextCodePoint(utf8, pos);
        const std::uint8_t byte = byteOf(cp);
        if (byte == 0) {
            throw ConfigError("the game's font cannot draw the character " + describeCodePoint(cp));
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

std::string gameBytesToUtf8(const std::string& bytes) {
    std::string utf8;
    for (const char c : bytes) {
        const char32_t cp = codePointOf(static_cast<std::uint8_t>(c));
        utf8 += cp != 0 ? encodeUtf8(cp) : hexEscape(c);
    }
    return utf8;
}

std::string hexEscape(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

const std::string& drawableCharacters() {
    static const std::string text = [] {
        std::string punctuation, accented;
        for (const Glyph& glyph : fontGlyphs()) {
            if (glyph.codePoint >= 0x80) {
                accented += " " + encodeUtf8(glyph.codePoint);
            } else if (std::isalnum(glyph.byte) == 0) {
                punctuation += std::string(1, static_cast<char>(glyph.byte)) + " ";
            }
        }
        return "letters a-z A-Z, digits 0-9, space, " + punctuation + "and the accented letters" +
               accented;
    }();
    return text;
}
