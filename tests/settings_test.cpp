// The settings layout: offsets, little-endian speed, short and long files, invariants.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/config_file.h"
#include "core/text_error.h"
#include "tests/support.h"

namespace fs = std::filesystem;

// Every field from its offset, speed little-endian, and back to the very same bytes.
TEST(Settings, FieldsComeFromTheirOffsetsAndEncodeBackExactly) {
    std::uint8_t image[kSettingsFileSize] = {};
    for (std::size_t i = 0; i < 28; ++i) image[i] = static_cast<std::uint8_t>(i + 1);
    const char name[] = "\xD6\x64\xF6n";  // "Ödön" in code page 1250
    std::memcpy(image + 28 + 11 * 3, name, sizeof name);
    std::memcpy(image + 94 + 254 * 5, "cyan.png", 9);
    const Settings s = decodeSettings(image, sizeof image);
    EXPECT_EQ(s.fullscreen, 1);
    EXPECT_EQ(s.swapInterval, 2);
    EXPECT_EQ(s.clearColorBlue, 5);
    EXPECT_EQ(s.fixedRounds, 6);
    EXPECT_EQ(s.matchLimit, 7);
    EXPECT_EQ(s.gapLength, 8);
    EXPECT_EQ(s.gapInterval, 9);
    EXPECT_EQ(s.lineWidth, 10);
    EXPECT_EQ(s.turnRate, 13);
    EXPECT_EQ(s.pickupsEnabled, 14);
    EXPECT_EQ(s.maxPickups, 15);
    EXPECT_EQ(s.holeRadius, 16);
    EXPECT_EQ(s.reserved[0], 17);
    EXPECT_EQ(s.slotEnabled[0], 22);
    EXPECT_EQ(s.slotEnabled[5], 27);
    EXPECT_EQ(s.playerCount, 28);
    EXPECT_EQ(s.speed, 11 + 12 * 256);
    EXPECT_STREQ(s.playerName[3], name);
    EXPECT_STREQ(s.patternFile[5], "cyan.png");

    std::uint8_t again[kSettingsFileSize] = {};
    encodeSettings(s, again);
    EXPECT_EQ(std::memcmp(image, again, sizeof image), 0);
}

TEST(Settings, MissingBytesOfAShortFileReadAsZero) {
    const std::uint8_t head[12] = {0x5A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 0x01};
    EXPECT_EQ(decodeSettings(head, sizeof head).speed, 300);
    const Settings s = decodeSettings(head, 11);
    EXPECT_EQ(s.fullscreen, 0x5A);
    EXPECT_EQ(s.speed, 0x2C);
    EXPECT_EQ(s.playerCount, 0);
}

TEST(Settings, InvariantsCutUnterminatedTextsAndCapThePlayerCount) {
    Settings s{};
    std::memset(s.playerName[1], 'x', kNameFieldSize);
    std::memset(s.patternFile[2], 'p', kPatternFieldSize);
    s.slotEnabled[1] = s.slotEnabled[4] = 1;
    s.playerCount = 255;
    enforceSettingsInvariants(s);
    EXPECT_EQ(std::strlen(s.playerName[1]), 10u);
    EXPECT_EQ(std::strlen(s.patternFile[2]), 253u);
    EXPECT_EQ(s.playerCount, 2);

    s.playerCount = 1;  // fewer than the enabled slots is kept: only the first ones play
    enforceSettingsInvariants(s);
    EXPECT_EQ(s.playerCount, 1);
}

// The working folder's `config`, which other tests leave behind, is removed before and after.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all("config"); }
    void TearDown() override { fs::remove_all("config"); }
};

TEST_F(SettingsFile, LoadsALongerFileCutAndRefusesAShortOneNamingItsSize) {
    std::vector<std::uint8_t> bytes(kSettingsFileSize + 100, 0xEE);
    bytes[10] = 44;
    bytes[11] = 1;
    bytes[27] = 0;
    writeFile("config", bytes);
    const Settings settings = loadSettings();
    EXPECT_EQ(settings.speed, 300);
    EXPECT_EQ(settings.patternFile[5][253], '\0');

    for (const std::size_t size : {std::size_t{0}, kSettingsFileSize - 1}) {
        bytes.resize(size);
        writeFile("config", bytes);
        try {
            loadSettings();
            FAIL() << "a config of " << size << " bytes was used";
        } catch (const TextError& error) {
            EXPECT_EQ(std::string(error.text),
                      "Couldn't use config-file! :(\nconfig is " + std::to_string(size) +
                          " bytes instead of 1618: settings are missing.\nMake a new one with "
                          "quorl-config new --force.");
        }
    }
}

TEST_F(SettingsFile, MissingOrUnreadableFileRaisesTheConfigError) {
    for (bool folderInstead : {false, true}) {
        if (folderInstead) fs::create_directory("config");
        try {
            loadSettings();
            FAIL() << "no error";
        } catch (const TextError& error) {
            EXPECT_STREQ(error.text, "Couldn't open config-file! :(");
        }
    }
}
