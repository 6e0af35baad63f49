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

std::string number(unsigned value) {
    return std::to_string(value);
}

// yes/no for a flag byte, naming an unusual stored value.
std::string onOff(std::uint8_t flag, const char* on, const char* off) {
    std::string text = flag != 0 ? on : off;
    if (flag > 1) text += " (stored as " + number(flag) + ")";
    return text;
}

// A name or pattern field for display, noting a missing terminator or bytes past it.
std::string fieldForDisplay(const char* field, std::size_t width) {
    std::string text = gameBytesToUtf8(fieldText(field, width));
    if (strnlen(field, width) == width) return text + " (no terminator)";
    if (!fieldIsClean(field, width)) return text + " (more bytes after its end)";
    return text;
}

std::string matchRows(const Settings& s) {
    const bool rounds = s.fixedRounds != 0;
    std::string mode = rounds ? "rounds: a match lasts as many rounds as the limit"
                              : "score: a match ends once a player's score reaches the limit";
    if (s.fixedRounds > 1) mode += " (stored as " + number(s.fixedRounds) + ")";
    return row("Match mode", mode) +
           row("Match limit", number(s.matchLimit) + (rounds ? " rounds" : " points"));
}

std::string lineRows(const Settings& s) {
    const std::string interval =
        s.gapInterval == 0 ? "0 (no gaps)" : "every " + number(s.gapInterval) + " s";
    return row("Speed", number(s.speed) + " px/s") +
           row("Turn rate", number(s.turnRate) + " degrees/s") +
           row("Line width", number(s.lineWidth) + " px") +
           row("Gap length", number(s.gapLength) + " px") + row("Gap interval", interval);
}

std::string pickupRows(const Settings& s) {
    return row("Pickups", onOff(s.pickupsEnabled, "on", "off")) +
           row("Max pickups", number(s.maxPickups) + " at once") +
           row("Hole radius",
               number(s.holeRadius) + " px (holes " + number(2u * s.holeRadius) + " px wide)");
}

std::string screenRows(const Settings& s) {
    return row("Background colour", number(s.clearColorRed) + "," + number(s.clearColorGreen) +
                                        "," + number(s.clearColorBlue) + " (red,green,blue)") +
           row("Full screen", onOff(s.fullscreen, "yes", "no: in a window")) +
           row("Swap interval", number(s.swapInterval));
}

std::string storageRows(const Settings& s) {
    std::string text = row("Player count", number(s.playerCount) + " (" +
                                               counted(enabledSlotCount(s), "slot") + " enabled)");
    const bool reservedUsed =
        std::any_of(std::begin(s.reserved), std::end(s.reserved), [](auto b) { return b != 0; });
    if (reservedUsed) {
        std::string bytes;
        for (const std::uint8_t byte : s.reserved) bytes += hexEscape(byte).substr(2) + " ";
        text += row("Reserved bytes", bytes + "(unused by the game)");
    }
    return text;
}

std::string slotRows(const Settings& s, int slot, const Bindings& keys) {
    return row("Slot " + number(slot), onOff(s.slotEnabled[slot], "enabled", "disabled")) +
           row("  Name", fieldForDisplay(s.playerName[slot], kNameFieldSize)) +
           row("  Pattern", fieldForDisplay(s.patternFile[slot], kPatternFieldSize)) +
           row("  Keys", slotKeysText(keys[slot]));
}

// Where the slots' keys come from.
std::string keysRow(const KeysFile& keys, const std::string& keysPath) {
    if (!keys.present) return row("Keys file", "none: every slot has its default keys");
    if (keys.faults.empty()) return row("Keys file", keysPath);
    return row("Keys file",
               keysPath + ", which the game refuses: " + counted(keys.faults.size(), "problem") +
                   " (quorl-config check lists them); the keys below are those "
                   "it could read");
}

void checkName(const Settings& s, int slot, std::vector<CheckFinding>& problems) {
    const char* field = s.playerName[slot];
    const std::string slotName = "slot" + number(slot);
    const std::vector<std::string> setting{slotName + ".name"};
    if (strnlen(field, kNameFieldSize) == kNameFieldSize) {
        problems.push_back({setting, slotName + " name has no terminator within its 11 bytes"});
    }
    const std::string text = fieldText(field, kNameFieldSize);
    std::set<std::uint8_t> undrawable;
    for (const char c : text) {
        if (!fontDraws(c)) undrawable.insert(c);
    }
    if (undrawable.empty()) return;
    std::string list;
    for (const std::uint8_t byte : undrawable) list += " " + hexEscape(byte);
    problems.push_back({setting, slotName + " name \"" + gameBytesToUtf8(text) +
                                     "\" has characters the game's font cannot draw:" + list});
}

void checkPattern(const Settings& s, int slot, const std::vector<std::filesystem::path>& folders,
                  std::vector<CheckFinding>& problems) {
    const char* field = s.patternFile[slot];
    const std::string slotName = "slot" + number(slot);
    const std::vector<std::string> setting{slotName + ".pattern"};
    if (strnlen(field, kPatternFieldSize) == kPatternFieldSize) {
        problems.push_back({setting, slotName + " pattern has no terminator within its 254 bytes"});
    }
    if (s.slotEnabled[slot] == 0) return;
    const std::string name = gamePatternName(s, slot);
    if (name.empty()) {
        problems.push_back({setting, slotName + " is enabled but names no pattern file"});
        return;
    }
    if (!patternPresent(name, folders)) {
        std::vector<std::filesystem::path> files;
        for (const auto& folder : folders) files.push_back(folder / name);
        problems.push_back({setting, slotName + " pattern file patterns/" + name +
                                         " is missing (looked for " + folderList(files, "and") +
                                         ")"});
    }
}

// The slots whose players take part: the enabled ones, as far as the player count reaches.
std::vector<int> slotsTakingPart(const Settings& s) {
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount && slots.size() < s.playerCount; ++slot) {
        if (s.slotEnabled[slot] != 0) slots.push_back(slot);
    }
    return slots;
}

std::string slotList(const std::vector<int>& slots) {
    std::string text;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0) text += i + 1 == slots.size() ? " and " : ", ";
        text += "slot" + number(slots[i]);
    }
    return text;
}

void warnAboutPlayers(const std::vector<int>& slots, std::vector<CheckFinding>& warnings) {
    if (slots.size() >= 2) return;
    const std::string who = slots.empty() ? "no player takes part"
                                          : "only 1 player takes part (" + slotList(slots) + ")";
    warnings.push_back({{"players"},
                        who + ": a round runs only while two lines are alive, so every round is "
                              "over as soon as it starts, no line moves and nobody scores"});
}

void warnAboutNames(const Settings& s, const std::vector<int>& slots,
                    std::vector<CheckFinding>& warnings) {
    std::vector<std::pair<std::string, std::vector<int>>> names;  // in slot order
    for (const int slot : slots) {
        const std::string name = fieldText(s.playerName[slot], kNameFieldSize - 1);
        if (name.empty()) {
            warnings.push_back({{"slot" + number(slot) + ".name"},
                                "slot" + number(slot) +
                                    " has an empty name: the score board shows \" has\" and the "
                                    "score with no name"});
            continue;
        }
        auto same = std::find_if(names.begin(), names.end(),
                                 [&](const auto& entry) { return entry.first == name; });
        if (same == names.end()) {
            names.push_back({name, {slot}});
        } else {
            same->second.push_back(slot);
        }
    }
    for (const auto& [name, sharing] : names) {
        if (sharing.size() < 2) continue;
        std::vector<std::string> settings;
        for (const int slot : sharing) settings.push_back("slot" + number(slot) + ".name");
        warnings.push_back({settings, slotList(sharing) + " have the same name " +
                                          quoted(gameBytesToUtf8(name)) +
                                          ": the score board cannot tell these players apart"});
    }
}

std::vector<std::string> findingTexts(const std::vector<CheckFinding>& findings) {
    std::vector<std::string> texts;
    for (const CheckFinding& finding : findings) texts.push_back(finding.text);
    return texts;
}

}  // namespace

std::string gamePatternName(const Settings& s, int slot) {
    // The game cuts an unterminated name before its last byte.
    return fieldText(s.patternFile[slot], kPatternFieldSize - 1);
}

std::string showText(const std::string& path, const SettingsFile& file, const KeysFile& keys,
                     const std::string& keysPath) {
    const Settings s = decodeSettings(file.bytes.data(), file.bytes.size());
    std::string text = "Quorl settings in " + path + "\n\n" + matchRows(s) + lineRows(s) +
                       pickupRows(s) + screenRows(s) + storageRows(s) + keysRow(keys, keysPath);
    for (int slot = 0; slot < kSlotCount; ++slot) text += "\n" + slotRows(s, slot, keys.bindings);
    const std::string note = sizeNote(path, file.fileSize);
    if (!note.empty()) text += "\nNote: " + note + ".\n";
    return text;
}

std::vector<CheckFinding> problemFindings(const std::string& path, const SettingsBytes& bytes) {
    const Settings s = decodeSettings(bytes.data(), bytes.size());
    std::vector<CheckFinding> problems;
    const int enabled = enabledSlotCount(s);
    if (s.playerCount > kSlotCount) {
        problems.push_back({{"players"},
                            "player count " + number(s.playerCount) + " is more than the " +
                                number(kSlotCount) + " slots"});
    }
    if (s.playerCount != enabled) {
        problems.push_back({{"players"},
                            "player count is " + number(s.playerCount) + " but " +
                                counted(enabled, "slot") + (enabled == 1 ? " is" : " are") +
                                " enabled"});
    }
    const std::vector<std::filesystem::path> folders = patternFolders(path);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        checkName(s, slot, problems);
        checkPattern(s, slot, folders, problems);
    }
    return problems;
}

std::vector<CheckFinding> warningFindings(const SettingsBytes& bytes) {
    const Settings s = decodeSettings(bytes.data(), bytes.size());
    const std::vector<int> slots = slotsTakingPart(s);
    std::vector<CheckFinding> warnings;
    warnAboutPlayers(slots, warnings);
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

std::vector<std::string> checkProblems(const std::string& path, const SettingsBytes& bytes) {
    return findingTexts(problemFindings(path, bytes));
}

std::vector<std::string> checkWarnings(const SettingsBytes& bytes) {
    return findingTexts(warningFindings(bytes));
}
