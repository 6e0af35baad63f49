// Listing the settings for people and finding what the game would trip over.
#include "tools/quorl_config/report.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "tools/quorl_config/codepage.h"
#include "tools/quorl_config/fields.h"

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
                                               number(enabledSlotCount(s)) + " slots enabled)");
    const bool reservedUsed =
        std::any_of(std::begin(s.reserved), std::end(s.reserved), [](auto b) { return b != 0; });
    if (reservedUsed) {
        std::string bytes;
        for (const std::uint8_t byte : s.reserved) bytes += hexEscape(byte).substr(2) + " ";
        text += row("Reserved bytes", bytes + "(unused by the game)");
    }
    return text;
}

std::string slotRows(const Settings& s, int slot) {
    return row("Slot " + number(slot), onOff(s.slotEnabled[slot], "enabled", "disabled")) +
           row("  Name", fieldForDisplay(s.playerName[slot], kNameFieldSize)) +
           row("  Pattern", fieldForDisplay(s.patternFile[slot], kPatternFieldSize)) +
           row("  Keys", slotKeysText(slot));
}

void checkName(const Settings& s, int slot, std::vector<std::string>& problems) {
    const char* field = s.playerName[slot];
    const std::string slotName = "slot" + number(slot);
    if (strnlen(field, kNameFieldSize) == kNameFieldSize) {
        problems.push_back(slotName + " name has no terminator within its 11 bytes");
    }
    const std::string text = fieldText(field, kNameFieldSize);
    std::set<std::uint8_t> undrawable;
    for (const char c : text) {
        if (!fontDraws(c)) undrawable.insert(c);
    }
    if (undrawable.empty()) return;
    std::string list;
    for (const std::uint8_t byte : undrawable) list += " " + hexEscape(byte);
    problems.push_back(slotName + " name \"" + gameBytesToUtf8(text) +
                       "\" has characters the game's font cannot draw:" + list);
}

void checkPattern(const Settings& s, int slot, const std::filesystem::path& folder,
                  std::vector<std::string>& problems) {
    const char* field = s.patternFile[slot];
    const std::string slotName = "slot" + number(slot);
    if (strnlen(field, kPatternFieldSize) == kPatternFieldSize) {
        problems.push_back(slotName + " pattern has no terminator within its 254 bytes");
    }
    if (s.slotEnabled[slot] == 0) return;
    // The game cuts an unterminated name before its last byte.
    const std::string name = fieldText(field, kPatternFieldSize - 1);
    if (name.empty()) {
        problems.push_back(slotName + " is enabled but names no pattern file");
        return;
    }
    const std::filesystem::path file = folder / "patterns" / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        problems.push_back(slotName + " pattern file patterns/" + name +
                           " is missing (looked for " + file.string() + ")");
    }
}

}  // namespace

std::string showText(const std::string& path, const SettingsFile& file) {
    const Settings s = decodeSettings(file.bytes.data(), file.bytes.size());
    std::string text = "Quorl settings in " + path + "\n\n" + matchRows(s) + lineRows(s) +
                       pickupRows(s) + screenRows(s) + storageRows(s);
    for (int slot = 0; slot < kSlotCount; ++slot) text += "\n" + slotRows(s, slot);
    const std::string note = sizeNote(path, file.fileSize);
    if (!note.empty()) text += "\nNote: " + note + ".\n";
    return text;
}

std::vector<std::string> checkProblems(const std::string& path, const SettingsBytes& bytes) {
    const Settings s = decodeSettings(bytes.data(), bytes.size());
    std::vector<std::string> problems;
    const int enabled = enabledSlotCount(s);
    if (s.playerCount > kSlotCount) {
        problems.push_back("player count " + number(s.playerCount) + " is more than the " +
                           number(kSlotCount) + " slots");
    }
    if (s.playerCount != enabled) {
        problems.push_back("player count is " + number(s.playerCount) + " but " + number(enabled) +
                           " slots are enabled");
    }
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        checkName(s, slot, problems);
        checkPattern(s, slot, folder, problems);
    }
    return problems;
}
