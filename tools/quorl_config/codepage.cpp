// The game's font covers ASCII letters, digits, some punctuation and 18 accented letters that
// sit at their Windows-1250 code points; this file maps them to and from UTF-8.
#include "tools/quorl_config/codepage.h"

#include <cstdio>
#include <cstring>

#include "tools/quorl_config/config_error.h"

const char* const kDrawableCharacters =
    "letters a-z A-Z, digits 0-9, space, . , - _ ? ! ( ) < > { } = + * / \\ # & @ ' \" : "
    "and the accented letters \xC3\x81 \xC3\x89 \xC3\x8D \xC3\x93 \xC3\x96 \xC5\x90 \xC3\x9A "
    "\xC3\x9C \xC5\xB0 \xC3\xA1 \xC3\xA9 \xC3\xAD \xC3\xB3 \xC3\xB6 \xC5\x91 \xC3\xBA \xC3\xBC "
    "\xC5\xB1";

namespace {

struct AccentedLetter {
    std::uint8_t byte;
    char32_t codePoint;
};

// The accented letters of the font: Windows-1250 byte and Unicode code point.
constexpr AccentedLetter kAccentedLetters[] = {
    {0xC1, 0x00C1}, {0xC9, 0x00C9}, {0xCD, 0x00CD}, {0xD3, 0x00D3}, {0xD6, 0x00D6}, {0xD5, 0x0150},
    {0xDA, 0x00DA}, {0xDC, 0x00DC}, {0xDB, 0x0170}, {0xE1, 0x00E1}, {0xE9, 0x00E9}, {0xED, 0x00ED},
    {0xF3, 0x00F3}, {0xF6, 0x00F6}, {0xF5, 0x0151}, {0xFA, 0x00FA}, {0xFC, 0x00FC}, {0xFB, 0x0171},
};

constexpr char kDrawablePunctuation[] = " .,-_?!()<>{}=+*/\\#&@'\":";

bool isAsciiAlnum(std::uint8_t byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z');
}

// Code point of a drawable byte; 0 when the font has no glyph for it.
char32_t codePointOf(std::uint8_t byte) {
    if (isAsciiAlnum(byte) || (byte != 0 && std::strchr(kDrawablePunctuation, byte) != nullptr)) {
        return byte;
    }
    for (const AccentedLetter& letter : kAccentedLetters) {
        if (letter.byte == byte) return letter.codePoint;
    }
    return 0;
}

// Game byte of a code point; 0 when the font has no glyph for it.
std::uint8_t byteOf(char32_t codePoint) {
    if (codePoint < 0x80) {
        const auto byte = static_cast<std::uint8_t>(codePoint);
        return codePointOf(byte) != 0 ? byte : 0;
    }
    for (const AccentedLetter& letter : kAccentedLetters) {
        if (letter.codePoint == codePoint) return letter.byte;
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
