// Tests of the settings text: exact round trips for any file, and how hand-edited text is read.
#include "core/text_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "core/codepage.h"
#include "core/setting_fields.h"
#include "test_support.h"

namespace {

SettingsBytes roundTrip(const SettingsBytes& bytes) {
    return importText(exportText(bytes), "test.ini");
}

std::string importError(const std::string& text) {
    return configError([&] { importText(text, "test.ini"); });
}

void setText(char* field, std::size_t width, const std::string& text) {
    std::fill(field, field + width, '\0');
    std::copy(text.begin(), text.end(), field);
}

// Random settings that are mostly plausible, so that the text form writes most fields as plain
// text (names of drawable characters, patterns with any printable byte) and some raw.
SettingsBytes randomPlausibleBytes(unsigned seed) {
    std::string drawable, fileBytes;
    for (int b = 1; b < 256; ++b) {
        if (fontDraws(b)) drawable += static_cast<char>(b);
        if (b >= 0x20 && b != 0x7F && b != '/') fileBytes += static_cast<char>(b);
    }
    std::mt19937 random(seed);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    auto text = [&](std::size_t minLength, std::size_t maxLength, const std::string& alphabet) {
        std::string t(minLength + below(maxLength - minLength + 1), ' ');
        for (char& c : t) c = alphabet[below(alphabet.size())];
        return t;
    };
    const SettingsBytes noise = randomBytes(seed);
    Settings s = decodeSettings(noise.data(), noise.size());
    for (std::uint8_t* flag : {&s.fullscreen, &s.fixedRounds, &s.pickupsEnabled})
        if (below(4) != 0) *flag = below(2);
    if (below(4) != 0) std::fill(std::begin(s.reserved), std::end(s.reserved), 0);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (below(4) != 0) s.slotEnabled[slot] = below(2);
        if (below(5) != 0) setText(s.playerName[slot], kNameFieldSize, text(0, 10, drawable));
        if (below(5) != 0) setText(s.patternFile[slot], kPatternFieldSize, text(1, 253, fileBytes));
    }
    if (below(4) != 0) s.playerCount = static_cast<std::uint8_t>(enabledSlotCount(s));
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());
    return bytes;
}

TEST(TextForm, DefaultsRoundTripWithoutRawSection) {
    const std::string text = exportText(defaultBytes());
    EXPECT_FALSE(contains(text, "[raw]"));
    EXPECT_TRUE(contains(text,
                         "\n[slot3]\nenabled = no\nname = \"Yellow\"\npattern = \"yellow.png\"\n"
                         "left = I\nright = P\nfire = O\n"));
    EXPECT_EQ(importText(text, "test.ini"), defaultBytes());
}

TEST(TextForm, AnyFileRoundTripsByteForByte) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const SettingsBytes bytes = randomBytes(seed);
        ASSERT_EQ(asString(roundTrip(bytes)), asString(bytes)) << "seed " << seed;
        const SettingsBytes plausible = randomPlausibleBytes(seed);
        ASSERT_EQ(asString(roundTrip(plausible)), asString(plausible))
            << "plausible, seed " << seed;
    }
}

TEST(TextForm, OdditiesAreWrittenRawOnlyWhereTheyOccur) {
    Settings s = defaultSettings();
    const std::uint8_t reserved[] = {0x00, 0x11, 0x22, 0x33, 0x44};
    std::memcpy(s.reserved, reserved, sizeof reserved);
    s.fullscreen = 7;
    s.playerCount = 5;
    std::memcpy(s.playerName[2], "ABCDEFGHIJK", kNameFieldSize);  // no terminator
    std::memcpy(s.playerName[3], "Bob\0junk", 8);                 // bytes past the end
    setText(s.patternFile[4], kPatternFieldSize, "a ;b.png");     // inih would cut at " ;"
    SettingsBytes bytes{};
    encodeSettings(s, bytes.data());

    const std::string text = exportText(bytes);
    const std::string raw = text.substr(text.find("\n[raw]\n"));
    for (const char* line :
         {"\nreserved = 00 11 22 33 44\n", "\nfullscreen = 7\n", "\nplayer-count = 5\n",
          "\nslot2.name = 41 42 43 44 45 46 47 48 49 4A 4B\n",
          "\nslot3.name = 42 6F 62 00 6A 75 6E 6B 00 00 00\n",
          "\nslot4.pattern = 61 20 3B 62 2E 70 6E 67\n"}) {
        EXPECT_TRUE(contains(raw, line)) << line;
    }
    EXPECT_FALSE(contains(raw, "\nmode ="));
    EXPECT_FALSE(contains(raw, "\nslot0."));
    EXPECT_EQ(roundTrip(bytes), bytes);
}

TEST(TextForm, HandWrittenTextTakesDefaultsForWhatIsLeftOut) {
    const SettingsBytes bytes = importText(
        "Speed = 300 ; fast\n[slot3]\nenabled = on\nname = Ödön\n"
        "[slot5]\npattern = \"my \"best\" one.png\"\n",
        "test.ini");
    const Settings s = decodeSettings(bytes.data(), bytes.size());
    EXPECT_EQ(s.speed, 300);
    EXPECT_EQ(s.slotEnabled[3], 1);
    EXPECT_STREQ(s.playerName[3], "\xD6\x64\xF6n");
    EXPECT_STREQ(s.patternFile[5], "my \"best\" one.png");
    EXPECT_EQ(s.playerCount, 3);
    EXPECT_EQ(s.turnRate, defaultSettings().turnRate);
}

TEST(TextForm, ReportsEveryProblemWithItsLine) {
    const std::string error = importError(
        "speed = fast\n"
        "colour = red\n"
        "limit = 5\n"
        "limit = 6\n"
        "gap-length = 3\n"
        "    4\n"
        "just words\n"
        "[slot1]\n"
        "name = Ödön the Great\n"
        "pattern = ../x.png\n"
        "[raw]\n"
        "reserved = 00 GG\n"
        "slot9.name = 41\n");
    for (const char* expected :
         {"test.ini:1: speed = \"fast\": not a whole number "
          "(allowed: a whole number from 0 to 65535)",
          "test.ini:2: unknown setting \"colour\"",
          "test.ini:4: limit is given twice (first on line 3)",
          "test.ini:5: gap-length goes on over an indented line", "test.ini:7: not a setting",
          "test.ini:9: slot1.name = \"Ödön the Great\": 14 characters long",
          "test.ini:10: slot1.pattern = \"../x.png\": contains the path separator '/'",
          "test.ini:12: raw.reserved: \"GG\" is not a byte in hex",
          "test.ini:13: unknown raw value \"raw.slot9.name\""}) {
        EXPECT_TRUE(contains(error, expected)) << expected << "\nin:\n" << error;
    }
}

TEST(TextForm, RefusesOverlongLinesInsteadOfCuttingThem) {
    const std::string error = importError("name = \"" + std::string(250, 'a') + "\"\n");
    EXPECT_TRUE(contains(error, "test.ini:1: the line is longer than")) << error;
}

}  // namespace
