// Listing the settings for people.
#include "tools/quorl_config/show.h"

#include <algorithm>
#include <iterator>

#include "core/codepage.h"
#include "core/setting_fields.h"
#include "core/text.h"

namespace {

constexpr std::size_t kLabelWidth = 19;

std::string row(std::string label, const std::string& value) {
    label.resize(std::max(label.size() + 1, kLabelWidth), ' ');
    return label + value + "\n";
}

}  // namespace

std::string showText(const std::string& path, const SettingsFile& file, const KeysFile& keys,
                     const std::string& keysPath) {
    std::string text = "Quorl settings in " + path + "\n\n", slots;
    for (const SettingField& field : settingFields()) {
        std::string& part = field.slot < 0 ? text : slots;
        if (field.key == "enabled") part += "\n";
        part += row(field.label, field.shownValue(file.bytes));
        if (field.kind == FieldKind::pattern) {
            const ComputerLevel level = keys.computer[static_cast<std::size_t>(field.slot)];
            part += row("  Keys", slotKeysText(keys.bindings[field.slot])) +
                    row("  Computer", level == ComputerLevel::none
                                          ? "no: people steer it"
                                          : std::string(computerLevelName(level)));
        }
    }
    text += row("Sound", keys.sound.on ? "on" : "off") +
            row("Volume", std::to_string(keys.sound.volume) + " of 100");
    const Settings s = decoded(file.bytes);
    text += row("Player count", std::to_string(s.playerCount) + " (" +
                                    counted(enabledSlotCount(s), "slot") + " enabled)");
    if (std::any_of(std::begin(s.reserved), std::end(s.reserved), [](auto b) { return b != 0; })) {
        std::string bytes;
        for (const std::uint8_t byte : s.reserved) bytes += hexEscape(byte).substr(2) + " ";
        text += row("Reserved bytes", bytes + "(unused by the game)");
    }
    // Where the slots' keys come from.
    std::string keysFile = "none: every slot has its default keys";
    if (keys.present) keysFile = keysPath;
    if (!keys.faults.empty()) {
        keysFile += ", which the game refuses: " + counted(keys.faults.size(), "problem") +
                    " (quorl-config check lists them); the keys below are those it could read";
    }
    text += row("Keys file", keysFile) + slots;
    const std::string note = sizeNote(path, file.fileSize);
    if (!note.empty()) text += "\nNote: " + note + ".\n";
    return text;
}
