// Reading the `config` file into the settings record, by explicit offsets.
#include "app/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/text_error.h"

namespace {

void copyField(const std::uint8_t* bytes, std::size_t offset, void* field, std::size_t width) {
    std::memcpy(field, bytes + offset, width);
}

void storeField(std::uint8_t* out, std::size_t offset, const void* field, std::size_t width) {
    std::memcpy(out + offset, field, width);
}

}  // namespace

Settings decodeSettings(const std::uint8_t* bytes, std::size_t size) {
    std::uint8_t image[kSettingsFileSize] = {};
    std::memcpy(image, bytes, std::min(size, kSettingsFileSize));

    namespace at = settings_offset;
    Settings s{};
    s.fullscreen = image[at::fullscreen];
    s.swapInterval = image[at::swapInterval];
    s.clearColorRed = image[at::clearColorRed];
    s.clearColorGreen = image[at::clearColorGreen];
    s.clearColorBlue = image[at::clearColorBlue];
    s.fixedRounds = image[at::fixedRounds];
    s.matchLimit = image[at::matchLimit];
    s.gapLength = image[at::gapLength];
    s.gapInterval = image[at::gapInterval];
    s.lineWidth = image[at::lineWidth];
    s.speed = static_cast<std::uint16_t>(image[at::speed] | (image[at::speed + 1] << 8));
    s.turnRate = image[at::turnRate];
    s.pickupsEnabled = image[at::pickupsEnabled];
    s.maxPickups = image[at::maxPickups];
    s.holeRadius = image[at::holeRadius];
    copyField(image, at::reserved, s.reserved, kReservedSize);
    copyField(image, at::slotEnabled, s.slotEnabled, kSlotCount);
    s.playerCount = image[at::playerCount];
    copyField(image, at::playerName, s.playerName, sizeof s.playerName);
    copyField(image, at::patternFile, s.patternFile, sizeof s.patternFile);
    return s;
}

void encodeSettings(const Settings& s, std::uint8_t out[kSettingsFileSize]) {
    namespace at = settings_offset;
    out[at::fullscreen] = s.fullscreen;
    out[at::swapInterval] = s.swapInterval;
    out[at::clearColorRed] = s.clearColorRed;
    out[at::clearColorGreen] = s.clearColorGreen;
    out[at::clearColorBlue] = s.clearColorBlue;
    out[at::fixedRounds] = s.fixedRounds;
    out[at::matchLimit] = s.matchLimit;
    out[at::gapLength] = s.gapLength;
    out[at::gapInterval] = s.gapInterval;
    out[at::lineWidth] = s.lineWidth;
    out[at::speed] = static_cast<std::uint8_t>(s.speed & 0xFF);
    out[at::speed + 1] = static_cast<std::uint8_t>(s.speed >> 8);
    out[at::turnRate] = s.turnRate;
    out[at::pickupsEnabled] = s.pickupsEnabled;
    out[at::maxPickups] = s.maxPickups;
    out[at::holeRadius] = s.holeRadius;
    storeField(out, at::reserved, s.reserved, kReservedSize);
    storeField(out, at::slotEnabled, s.slotEnabled, kSlotCount);
    out[at::playerCount] = s.playerCount;
    storeField(out, at::playerName, s.playerName, sizeof s.playerName);
    storeField(out, at::patternFile, s.patternFile, sizeof s.patternFile);
}

int enabledSlotCount(const Settings& s) {
    return static_cast<int>(std::count_if(std::begin(s.slotEnabled), std::end(s.slotEnabled),
                                          [](std::uint8_t flag) { return flag != 0; }));
}

void enforceSettingsInvariants(Settings& s) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        s.playerName[slot][kNameFieldSize - 1] = '\0';
        s.patternFile[slot][kPatternFieldSize - 1] = '\0';
    }
    s.playerCount = static_cast<std::uint8_t>(std::min<int>(s.playerCount, enabledSlotCount(s)));
}

Settings loadSettings() {
    std::FILE* file = std::fopen("config", "rb");
    if (file == nullptr) raiseTextError("Couldn't open config-file! :(");
    std::uint8_t image[kSettingsFileSize] = {};
    const std::size_t got = std::fread(image, 1, kSettingsFileSize, file);
    // A folder named "config" opens but cannot be read: that is no settings file either.
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) raiseTextError("Couldn't open config-file! :(");
    Settings settings = decodeSettings(image, got);
    enforceSettingsInvariants(settings);
    return settings;
}
