// Finding what the game would trip over in settings, and what spoils a match.
#include "core/findings.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "core/codepage.h"
#include "core/places.h"
#include "core/setting_fields.h"
#include "core/text.h"

namespace {

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
    const SlotList enabled = enabledSlots(s);
    const std::vector<int> slots(
        enabled.begin(), enabled.begin() + std::min<std::size_t>(enabled.size(), s.playerCount));
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
