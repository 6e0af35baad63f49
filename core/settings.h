// The match settings: the layout of the 1618-byte `config` file, written once below, and the
// record decoded from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int kSlotCount = 6;
constexpr std::size_t kNameFieldSize = 11;
constexpr std::size_t kPatternFieldSize = 254;
constexpr std::size_t kReservedSize = 5;

using ReservedBytes = std::uint8_t[kReservedSize];
using SlotFlags = std::uint8_t[kSlotCount];
using SlotNames = char[kSlotCount][kNameFieldSize];
using SlotPatterns = char[kSlotCount][kPatternFieldSize];

// Every stored value of the file in the order of its bytes: its name in the record, its type
// and its first byte. Numbers wider than a byte are little-endian; the arrays are stored as they
// are in memory, slot after slot.
#define QUORL_SETTINGS_LAYOUT(X)        \
    X(fullscreen, std::uint8_t, 0)      \
    X(swapInterval, std::uint8_t, 1)    \
    X(clearColorRed, std::uint8_t, 2)   \
    X(clearColorGreen, std::uint8_t, 3) \
    X(clearColorBlue, std::uint8_t, 4)  \
    X(fixedRounds, std::uint8_t, 5)     \
    X(matchLimit, std::uint8_t, 6)      \
    X(gapLength, std::uint8_t, 7)       \
    X(gapInterval, std::uint8_t, 8)     \
    X(lineWidth, std::uint8_t, 9)       \
    X(speed, std::uint16_t, 10)         \
    X(turnRate, std::uint8_t, 12)       \
    X(pickupsEnabled, std::uint8_t, 13) \
    X(maxPickups, std::uint8_t, 14)     \
    X(holeRadius, std::uint8_t, 15)     \
    X(reserved, ReservedBytes, 16)      \
    X(slotEnabled, SlotFlags, 21)       \
    X(playerCount, std::uint8_t, 27)    \
    X(playerName, SlotNames, 28)        \
    X(patternFile, SlotPatterns, 94)

constexpr std::size_t kSettingsFileSize = 1618;

struct Settings {
#define QUORL_SETTINGS_MEMBER(name, type, offset) type name;
    QUORL_SETTINGS_LAYOUT(QUORL_SETTINGS_MEMBER)
#undef QUORL_SETTINGS_MEMBER
};

// Each field's first byte in the file, by its name in the record.
namespace settings_offset {
#define QUORL_SETTINGS_OFFSET(name, type, offset) constexpr std::size_t name = offset;
QUORL_SETTINGS_LAYOUT(QUORL_SETTINGS_OFFSET)
#undef QUORL_SETTINGS_OFFSET
}  // namespace settings_offset

// Decodes a settings image; `size` bytes are read, the missing ones count as 0.
Settings decodeSettings(const std::uint8_t* bytes, std::size_t size);

// Encodes all 1618 bytes, reserved bytes included, so decode and encode round-trip exactly.
void encodeSettings(const Settings& s, std::uint8_t out[kSettingsFileSize]);

// Slot numbers in slot order, without allocating.
struct SlotList {
    std::array<int, kSlotCount> slots{};
    std::size_t count = 0;

    const int* begin() const { return slots.data(); }
    const int* end() const { return slots.data() + count; }
    std::size_t size() const { return count; }
    int operator[](std::size_t i) const { return slots[i]; }
};

// The enabled slots in slot order: the player of the k-th of them has index k in the player
// table. Those from playerCount on take no part in a match.
SlotList enabledSlots(const Settings& s);

// Number of slots whose enable flag is non-zero.
int enabledSlotCount(const Settings& s);

// Makes a decoded record safe to play with: every name and pattern field ends in a terminator
// (a field without one is cut at its width) and playerCount never exceeds the enabled slots.
void enforceSettingsInvariants(Settings& s);
