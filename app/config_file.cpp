// The settings files read once at start-up: `config`, then `keys`.
#include "app/config_file.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/keys_file.h"
#include "core/text_error.h"
#include "game/world.h"

namespace {

constexpr char kConfigFileName[] = "config";
constexpr char kOpenError[] = "Couldn't open config-file! :(";
constexpr std::size_t kFaultsShown = 10;  // a message box holds no more

}  // namespace

Settings loadSettings() {
    const FileContent file = readRegularFile(kConfigFileName, kSettingsFileSize, Excess::ignore);
    if (file.status == FileContent::Status::notRegular)
        raiseComposedError(std::string(kOpenError) + "\n" + kConfigFileName +
                           ": is not a regular file");
    if (file.status != FileContent::Status::ok) raiseTextError(kOpenError);
    // A short file lacks settings that would otherwise read as 0: no players, no speed.
    if (file.data.size() < kSettingsFileSize)
        raiseComposedError(
            "Couldn't use config-file! :(\n" + std::string(kConfigFileName) + " is " +
            std::to_string(file.data.size()) + " bytes instead of " +
            std::to_string(kSettingsFileSize) +
            ": settings are missing.\nMake a new one with quorl-config new --force.");
    Settings settings =
        decodeSettings(reinterpret_cast<const std::uint8_t*>(file.data.data()), file.data.size());
    enforceSettingsInvariants(settings);
    return settings;
}

void loadKeysFile() {
    const KeysFile file = readKeysFile(kKeysFileName);
    if (file.faults.empty()) {
        world->controls.keyBindings = file.bindings;
        world->controls.computer = file.computer;
        world->sound = file.sound;
        return;
    }
    const std::vector<Fault> shown(
        file.faults.begin(), file.faults.begin() + std::min(file.faults.size(), kFaultsShown));
    std::string text = "Couldn't use the keys file! :(\n" + faultList(shown, kKeysFileName);
    if (file.faults.size() > shown.size())
        text += "\n... and " + std::to_string(file.faults.size() - shown.size()) + " more";
    text += "\nMend or remove the file (quorl-config check lists the same).";
    raiseComposedError(std::move(text));
}
