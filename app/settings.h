// The match settings: the 1618-byte layout of the `config` file and its record.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kSettingsFileSize = 1618;
constexpr int kSlotCount = 6;
constexpr std::size_t kNameFieldSize = 11;
constexpr std::size_t kPatternFieldSize = 254;
constexpr std::size_t kReservedSize = 5;

// Byte offsets of the fields inside the file.
namespace settings_offset {
constexpr std::size_t fullscreen = 0;
constexpr std::size_t swapInterval = 1;
constexpr std::size_t clearColorRed = 2;
constexpr std::size_t clearColorGreen = 3;
constexpr std::size_t clearColorBlue = 4;
constexpr std::size_t fixedRounds = 5;
constexpr std::size_t matchLimit = 6;
constexpr std::size_t gapLength = 7;
constexpr std::size_t gapInterval = 8;
constexpr std::size_t lineWidth = 9;
constexpr std::size_t speed = 10;  // u16, little-endian
constexpr std::size_t turnRate = 12;
constexpr std::size_t pickupsEnabled = 13;
constexpr std::size_t maxPickups = 14;
constexpr std::size_t holeRadius = 15;
constexpr std::size_t reserved = 16;
constexpr std::size_t slotEnabled = 21;
constexpr std::size_t playerCount = 27;
constexpr std::size_t playerName = 28;
constexpr std::size_t patternFile = 94;
}  // namespace settings_offset

struct Settings {
    std::uint8_t fullscreen;
    std::uint8_t swapInterval;
    std::uint8_t clearColorRed;
    std::uint8_t clearColorGreen;
    std::uint8_t clearColorBlue;
    std::uint8_t fixedRounds;
    std::uint8_t matchLimit;
    std::uint8_t gapLength;
    std::uint8_t gapInterval;
    std::uint8_t lineWidth;
    std::uint16_t speed;
    std::uint8_t turnRate;
    std::uint8_t pickupsEnabled;
    std::uint8_t maxPickups;
    std::uint8_t holeRadius;
    std::uint8_t reserved[kReservedSize];
    std::uint8_t slotEnabled[kSlotCount];
    std::uint8_t playerCount;
    char playerName[kSlotCount][kNameFieldSize];
    char patternFile[kSlotCount][kPatternFieldSize];
};

// Decodes a settings image; `size` bytes are read, the missing ones count as 0.
Settings decodeSettings(const std::uint8_t* bytes, std::size_t size);

// Encodes all 1618 bytes, reserved bytes included, so decode and encode round-trip exactly.
void encodeSettings(const Settings& s, std::uint8_t out[kSettingsFileSize]);

// Number of slots whose enable flag is non-zero.
int enabledSlotCount(const Settings& s);

// Makes a decoded record safe to play with: every name and pattern field ends in a terminator
// (a field without one is cut at its width) and playerCount never exceeds the enabled slots.
void enforceSettingsInvariants(Settings& s);

// Reads the file "config" in the working folder, made safe to play with; raises the config
// error.
Settings loadSettings();
