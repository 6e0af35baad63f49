// Listing the settings for people and finding what the game would trip over.
#include "tools/quorl_config/report.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "game/players/bindings.h"
#include "tools/quorl_config/codepage.h"
#include "tools/quorl_config/fields.h"
#include "tools/quorl_config/places.h"

namespace {

constexpr std::size_t kLabelWidth = 19;

std::string row(std::string label, const std::string& value) {
    label.resize(std::max(label.size() + 1, kLabelWidth), ' ');
    return label + value + "\n";
}

// The problems of a name or pattern field: no terminator, characters the font cannot draw, or a
// pattern file the game would not find for an enabled slot.
void checkText(const SettingField& field, const Settings& s, const SettingsBytes& bytes,
               const std::vector<std::filesystem::path>& folders,
               std::vector<CheckFinding>& problems) {
    const auto* text = field.chars(bytes);
    const std::string slotName = "slot" + std::to_string(field.slot);
    const std::vector<std::string> setting{field.name};
    if (strnlen(text, field.width) == field.width) {
        problems.push_back({setting, slotName + " " + field.key + " has no terminator within its " +
                                         std::to_string(field.width) + " bytes"});
    }
    if (field.kind == FieldKind::name) {
        std::set<std::uint8_t> undrawable;
        for (const char c : fieldText(text, field.width)) {
            if (!fontDraws(c)) undrawable.insert(c);
        }
        if (undrawable.empty()) return;
        std::string list;
        for (const std::uint8_t byte : undrawable) list += " " + hexEscape(byte);
        problems.push_back({setting, slotName + " name \"" + field.format(bytes) +
                                         "\" has characters the game's font cannot draw:" + list});
        return;
    }
    if (s.slotEnabled[field.slot] == 0) return;
    const std::string name = gamePatternName(s, field.slot);
    if (name.empty()) {
        problems.push_back({setting, slotName + " is enabled but names no pattern file"});
    } else if (!patternPresent(name, folders)) {
        std::vector<std::filesystem::path> files;
        for (const auto& folder : folders) files.push_back(folder / name);
        problems.push_back({setting, slotName + " pattern file patterns/" + name +
                                         " is missing (looked for " + folderList(files, "and") +
                                         ")"});
    }
}

std::string slotList(const std::vector<int>& slots) {
    std::string text;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0) text += i + 1 == slots.size() ? " and " : ", ";
        text += "slot" + std::to_string(slots[i]);
    }
    return text;
}

void warnAboutNames(const Settings& s, const std::vector<int>& slots,
                    std::vector<CheckFinding>& warnings) {
    const auto nameOf = [&](int slot) { return fieldText(s.playerName[slot], kNameFieldSize - 1); };
    for (const int slot : slots) {
        if (!nameOf(slot).empty()) continue;
        warnings.push_back({{"slot" + std::to_string(slot) + ".name"},
                            "slot" + std::to_string(slot) +
                                " has an empty name: the score board shows \" has\" and the "
                                "score with no name"});
    }
    for (auto slot = slots.begin(); slot != slots.end(); ++slot) {
        const std::string name = nameOf(*slot);
        // Each shared name once, at the first slot that has it.
        const auto same = [&](int other) { return nameOf(other) == name; };
        if (name.empty() || std::any_of(slots.begin(), slot, same)) continue;
        std::vector<int> sharing;
        std::copy_if(slot, slots.end(), std::back_inserter(sharing), same);
        if (sharing.size() < 2) continue;
        std::vector<std::string> settings;
        for (const int other : sharing)
            settings.push_back("slot" + std::to_string(other) + ".name");
        warnings.push_back({settings, slotList(sharing) + " have the same name " +
                                          quoted(gameBytesToUtf8(name)) +
                                          ": the score board cannot tell these players apart"});
    }
}

}  // namespace

std::string gamePatternName(const Settings& s, int slot) {
    // The game cuts an unterminated name before its last byte.
    return fieldText(s.patternFile[slot], kPatternFieldSize - 1);
}

std::string showText(const std::string& path, const SettingsFile& file, const KeysFile& keys,
                     const std::string& keysPath) {
    std::string text = "Quorl settings in " + path + "\n\n", slots;
    for (const SettingField& field : settingFields()) {
        std::string& part = field.slot < 0 ? text : slots;
        if (field.key == "enabled") part += "\n";
        part += row(field.label, field.shownValue(file.bytes));
        if (field.kind == FieldKind::pattern) {
            part += row("  Keys", slotKeysText(keys.bindings[field.slot]));
        }
    }
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

std::vector<CheckFinding> problemFindings(const std::string& path, const SettingsBytes& bytes) {
    const Settings s = decoded(bytes);
    std::vector<CheckFinding> problems;
    const int enabled = enabledSlotCount(s);
    if (s.playerCount > kSlotCount) {
        problems.push_back({{"players"},
                            "player count " + std::to_string(s.playerCount) + " is more than the " +
                                std::to_string(kSlotCount) + " slots"});
    }
    if (s.playerCount != enabled) {
        problems.push_back({{"players"},
                            "player count is " + std::to_string(s.playerCount) + " but " +
                                counted(enabled, "slot") + (enabled == 1 ? " is" : " are") +
                                " enabled"});
    }
    const std::vector<std::filesystem::path> folders = patternFolders(path);
    for (const SettingField& field : settingFields()) {
        if (field.isText()) checkText(field, s, bytes, folders, problems);
    }
    return problems;
}

std::vector<CheckFinding> warningFindings(const SettingsBytes& bytes) {
    const Settings s = decoded(bytes);
    // The slots whose players take part: the enabled ones, as far as the player count reaches.
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount && slots.size() < s.playerCount; ++slot) {
        if (s.slotEnabled[slot] != 0) slots.push_back(slot);
    }
    std::vector<CheckFinding> warnings;
    if (slots.size() < 2) {
        const std::string who = slots.empty()
                                    ? "no player takes part"
                                    : "only 1 player takes part (" + slotList(slots) + ")";
        warnings.push_back({{"players"},
                            who + ": a round runs only while two lines are alive, so every round "
                                  "is over as soon as it starts, no line moves and nobody scores"});
    }
    if (s.speed == 0) {
        warnings.push_back(
            {{"speed"},
             "speed is 0: the lines do not move forward (they turn on the spot and only jump "
             "ahead at their gaps), so a round may never end"});
    }
    if (s.matchLimit == 0) {
        warnings.push_back(
            {{"limit"},
             "limit is 0: the match is over after its first round, which ends on \"Press "
             "<SPACE> to exit\""});
    }
    warnAboutNames(s, slots, warnings);
    return warnings;
}
