// Decoding and encoding the settings record field by field, from the one layout in settings.h.
#include "core/settings.h"

#include <algorithm>
#include <cstring>

namespace {

struct FieldExtent {
    std::size_t offset;
    std::size_t size;
};

constexpr FieldExtent kExtents[] = {
#define QUORL_SETTINGS_EXTENT(name, type, offset) {offset, sizeof(type)},
    QUORL_SETTINGS_LAYOUT(QUORL_SETTINGS_EXTENT)
#undef QUORL_SETTINGS_EXTENT
};

// Each field starts where the one before it ends, and the last one ends with the file.
constexpr bool fieldsFillTheFile() {
    std::size_t end = 0;
    for (const FieldExtent& field : kExtents) {
        if (field.offset != end) return false;
        end = field.offset + field.size;
    }
    return end == kSettingsFileSize;
}
static_assert(fieldsFillTheFile(), "the settings fields follow each other and fill the file");

void readField(const std::uint8_t* at, std::uint8_t& value) {
    value = at[0];
}
void readField(const std::uint8_t* at, std::uint16_t& value) {
    value = static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
template <class Array>
void readField(const std::uint8_t* at, Array& value) {
    std::memcpy(&value, at, sizeof value);
}

void writeField(std::uint8_t* at, std::uint8_t value) {
    at[0] = value;
}
void writeField(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
template <class Array>
void writeField(std::uint8_t* at, const Array& value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace

Settings decodeSettings(const std::uint8_t* bytes, std::size_t size) {
    std::uint8_t image[kSettingsFileSize] = {};
    std::memcpy(image, bytes, std::min(size, kSettingsFileSize));
    Settings s{};
#define QUORL_SETTINGS_DECODE(name, type, offset) readField(image + offset, s.name);
    QUORL_SETTINGS_LAYOUT(QUORL_SETTINGS_DECODE)
#undef QUORL_SETTINGS_DECODE
    return s;
}

void encodeSettings(const Settings& s, std::uint8_t out[kSettingsFileSize]) {
#define QUORL_SETTINGS_ENCODE(name, type, offset) writeField(out + offset, s.name);
    QUORL_SETTINGS_LAYOUT(QUORL_SETTINGS_ENCODE)
#undef QUORL_SETTINGS_ENCODE
}

SlotList enabledSlots(const Settings& s) {
    SlotList list;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (s.slotEnabled[slot] != 0) list.slots[list.count++] = slot;
    }
    return list;
}

int enabledSlotCount(const Settings& s) {
    return static_cast<int>(enabledSlots(s).size());
}

void enforceSettingsInvariants(Settings& s) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        s.playerName[slot][kNameFieldSize - 1] = '\0';
        s.patternFile[slot][kPatternFieldSize - 1] = '\0';
    }
    s.playerCount = static_cast<std::uint8_t>(std::min<int>(s.playerCount, enabledSlotCount(s)));
}
