// Fuzz target: any bytes as the `config` file. Decoding reads at most 1618 bytes, encoding gives
// them back exactly, and the invariants leave a record the game can use and that stays the same
// through another encode and decode.
#include <cstring>

#include "core/settings.h"
#include "fuzz/fuzz_check.h"

namespace {

bool terminated(const char* field, std::size_t width) {
    return std::memchr(field, '\0', width) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings s = decodeSettings(data, size);
    std::uint8_t image[kSettingsFileSize];
    encodeSettings(s, image);
    for (std::size_t i = 0; i < kSettingsFileSize; ++i)
        FUZZ_CHECK(image[i] == (i < size ? data[i] : 0));

    enforceSettingsInvariants(s);
    FUZZ_CHECK(s.playerCount <= enabledSlotCount(s));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        FUZZ_CHECK(terminated(s.playerName[slot], kNameFieldSize));
        FUZZ_CHECK(terminated(s.patternFile[slot], kPatternFieldSize));
    }

    encodeSettings(s, image);
    Settings again = decodeSettings(image, sizeof image);
    enforceSettingsInvariants(again);
    std::uint8_t imageAgain[kSettingsFileSize];
    encodeSettings(again, imageAgain);
    FUZZ_CHECK(std::memcmp(image, imageAgain, kSettingsFileSize) == 0);
    return 0;
}
