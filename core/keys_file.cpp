// Reading and writing the `keys` file through the INI reader, with the game's rules for keys.
#include "core/keys_file.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "core/config_error.h"
#include "core/files.h"
#include "core/ini_reader.h"
#include "core/setting_fields.h"
#include "core/text.h"

namespace {

constexpr ComputerLevel kLevels[] = {ComputerLevel::none, ComputerLevel::easy,
                                     ComputerLevel::normal, ComputerLevel::hard};
constexpr std::uint8_t kMaxVolume = 100;

std::string takeSound(TextSettings& settings, int, const std::string& value) {
    const std::optional<bool> on = flagWord(value);
    if (!on) return "neither yes nor no";
    settings.sound.on = *on;
    return "";
}

std::string formatSound(const TextSettings& settings, int) {
    return settings.sound.on ? "yes" : "no";
}

std::string takeVolume(TextSettings& settings, int, const std::string& value) {
    const std::optional<unsigned long> volume = wholeNumber(value);
    if (!volume) return "not a whole number";
    if (*volume > kMaxVolume) return "out of range";
    settings.sound.volume = static_cast<std::uint8_t>(*volume);
    return "";
}

std::string formatVolume(const TextSettings& settings, int) {
    return std::to_string(settings.sound.volume);
}

std::string takeComputer(TextSettings& settings, int slot, const std::string& value) {
    const std::string word = lowerAscii(trimmed(value));
    for (const ComputerLevel level : kLevels) {
        if (word == computerLevelName(level)) {
            settings.computer[static_cast<std::size_t>(slot)] = level;
            return "";
        }
    }
    return "no such level";
}

std::string formatComputer(const TextSettings& settings, int slot) {
    return computerLevelName(settings.computer[static_cast<std::size_t>(slot)]);
}

const std::vector<TextField> kTextFields = {
    {"sound", false, "Whether the game plays its sounds.", kFlagWords, takeSound, formatSound},
    {"volume", false, "How loud the sounds are: 0 is silent, 100 the loudest.",
     "a whole number from 0 to 100", takeVolume, formatVolume},
    {"computer", true,
     "Who steers the slot: no = people, with its keys and controllers; easy, normal or hard = "
     "the computer, at that level.",
     "no, easy, normal or hard", takeComputer, formatComputer},
};

// The message for a value that `take` refused.
std::string refusalText(const std::string& name, const TextField& field, const std::string& value,
                        const std::string& problem) {
    return name + " = " + quoted(value) + ": " + problem + " (allowed: " + field.allowed + ")";
}

// The field's name as quorl-config and the messages give it.
std::string fieldName(const TextField& field, int slot) {
    return field.perSlot ? "slot" + std::to_string(slot) + "." + field.key : field.key;
}

const TextField* fieldByKey(const std::string& key, bool perSlot) {
    const std::string wanted = folded(key);
    for (const TextField& field : kTextFields) {
        if (field.perSlot == perSlot && wanted == field.key) return &field;
    }
    return nullptr;
}

// The entries a place of the file takes, in words: "left, right, fire and computer".
std::string entryList(bool perSlot) {
    std::vector<std::string> names;
    if (perSlot) {
        for (const KeyRole role : kKeyRoles) names.push_back(keyRoleName(role));
    }
    for (const TextField& field : kTextFields) {
        if (field.perSlot == perSlot) names.push_back(field.key);
    }
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

int roleIndex(KeyRole role) {
    return static_cast<int>(role);
}

// Where each key of the file was given, by slot and role; 0 where it was not.
using GivenLines = std::array<std::array<int, 3>, kSlotCount>;

// The slot named by a section header's text, or -1.
int slotOfSection(const std::string& name) {
    const std::string text = folded(name);
    if (text.size() != 5 || text.compare(0, 4, "slot") != 0) return -1;
    const int slot = text[4] - '0';
    return slot >= 0 && slot < kSlotCount ? slot : -1;
}

bool isComment(const std::string& text) {
    return text.empty() || text[0] == '#' || text[0] == ';';
}

// The slot each section header opens, or -1 for a header with a fault (those go to `faults`,
// unless its line has one of its own already).
std::vector<int> sectionSlots(const IniText& ini, const std::vector<int>& faultyLines,
                              std::vector<Fault>& faults) {
    std::vector<int> slots;
    for (const IniSection& section : ini.sections) {
        const int slot = section.closed ? slotOfSection(section.name) : -1;
        slots.push_back(slot);
        // A line with a fault of its own says nothing more.
        if (std::count(faultyLines.begin(), faultyLines.end(), section.line) != 0) {
            slots.back() = -1;
            continue;
        }
        if (!section.closed || !isComment(section.rest)) {
            if (section.closed) faults.push_back({section.line, "not a section: expected [slotN]"});
            slots.back() = -1;
        } else if (slot < 0) {
            faults.push_back({section.line, "unknown section " + quotedAscii(section.written) +
                                                " (the sections are [slot0] to [slot5])"});
        }
    }
    return slots;
}

std::string lineFaultText(IniLineFault::Kind kind, int maxLineLength) {
    switch (kind) {
        case IniLineFault::Kind::nul:
            return "the line holds a NUL byte";
        case IniLineFault::Kind::tooLong:
            return "the line is longer than " + std::to_string(maxLineLength) + " characters";
        case IniLineFault::Kind::unclosed:
            return "not a section: expected [slotN]";
        case IniLineFault::Kind::notEntry:
            break;
    }
    return "not an entry: expected left, right or fire = KEY, a [slotN] section or a # comment";
}

// How a clash's holder got its key, for messages: "line 3" or "its default".
std::string origin(const KeyHolder& holder, const GivenLines& lines) {
    const int line = lines[holder.slot][roleIndex(holder.role)];
    return line != 0 ? "line " + std::to_string(line) : "its default";
}

void addClashFaults(KeysFile& file, const GivenLines& lines) {
    for (const KeyClash& clash : keyClashes(file.bindings)) {
        const int firstLine = lines[clash.first.slot][roleIndex(clash.first.role)];
        const int secondLine = lines[clash.second.slot][roleIndex(clash.second.role)];
        // The fault goes to the later line of the two, or to the one that binds it.
        const bool atSecond = secondLine > firstLine;
        const KeyHolder& here = atSecond ? clash.second : clash.first;
        const KeyHolder& other = atSecond ? clash.first : clash.second;
        std::string text = holderName(here) + " = " + keyName(clash.key) + ": " +
                           keyName(clash.key) + " is bound to " + holderName(other) + " already (" +
                           origin(other, lines) + ")";
        if (origin(other, lines) == "its default") {
            text += "; give " + holderName(other) + " another key";
        }
        file.faults.push_back({lines[here.slot][roleIndex(here.role)], text, true});
    }
}

void sortFaults(std::vector<Fault>& faults) {
    std::stable_sort(faults.begin(), faults.end(),
                     [](const Fault& a, const Fault& b) { return a.line < b.line; });
}

KeysFile unusable(const std::string& why) {
    KeysFile file;
    file.present = true;
    file.faults.push_back({0, why});
    return file;
}

}  // namespace

KeysFile bindKeys(const std::vector<KeyEntry>& entries) {
    KeysFile file;
    file.present = true;
    GivenLines seen{};   // where each key was first given
    GivenLines bound{};  // where each key was bound
    for (const KeyEntry& entry : entries) {
        const KeyHolder& holder = entry.holder;
        int& seenOn = seen[holder.slot][roleIndex(holder.role)];
        if (seenOn != 0) {
            file.faults.push_back({entry.line, holderName(holder) +
                                                   " is given twice (first on line " +
                                                   std::to_string(seenOn) + ")"});
            continue;
        }
        seenOn = entry.line;
        const std::uint8_t key = keyByName(entry.value);
        if (trimmed(entry.value).empty()) {
            file.faults.push_back({entry.line, holderName(holder) + " names no key"});
        } else if (key == 0) {
            file.faults.push_back({entry.line, holderName(holder) + " = " +
                                                   quotedAscii(entry.value) +
                                                   ": no key has this name (quorl-config keys "
                                                   "--list lists them)"});
        } else {
            bound[holder.slot][roleIndex(holder.role)] = entry.line;
            file.given[holder.slot][roleIndex(holder.role)] = true;
            setKeyFor(file.bindings[holder.slot], holder.role, key);
            if (isReservedKey(key))
                file.faults.push_back({entry.line, reservedKeyText(holder, key), true});
        }
    }
    addClashFaults(file, bound);
    sortFaults(file.faults);
    return file;
}

KeysFile parseKeys(const std::string& text) {
    const IniText ini = readIni(text, false);
    std::vector<Fault> faults;
    std::vector<int> faultyLines;
    for (const IniLineFault& fault : ini.faults) {
        faults.push_back({fault.line, lineFaultText(fault.kind, ini.maxLineLength)});
        faultyLines.push_back(fault.line);
    }
    const std::vector<int> slots = sectionSlots(ini, faultyLines, faults);
    std::vector<KeyEntry> entries;
    TextSettings taken;
    std::vector<std::pair<std::string, int>> given;  // the other settings by name, and where
    for (const IniEntry& entry : ini.entries) {
        // A line with a fault of its own says nothing more.
        if (std::count(faultyLines.begin(), faultyLines.end(), entry.line) != 0) continue;
        const int section = sectionIndexOf(ini, entry.line);
        const int slot = section < 0 ? -1 : slots[static_cast<std::size_t>(section)];
        // The entries of an unknown section are not looked at: its header has its fault.
        if (section >= 0 && slot < 0) continue;
        // A value may end in a comment, by # or ;.
        const std::string& raw = entry.pieces.front();
        const std::string value = trimmed(raw.substr(0, raw.find_first_of("#;")));
        const std::optional<KeyRole> role = keyRoleByName(entry.name);
        const TextField* field = fieldByKey(entry.name, slot >= 0);
        if (role && slot >= 0) {
            entries.push_back({{slot, *role}, value, entry.line});
        } else if (field) {
            const std::string name = fieldName(*field, slot);
            const auto first = std::find_if(given.begin(), given.end(),
                                            [&](const auto& seen) { return seen.first == name; });
            if (first != given.end()) {
                faults.push_back({entry.line, name + " is given twice (first on line " +
                                                  std::to_string(first->second) + ")"});
                continue;
            }
            given.emplace_back(name, entry.line);
            const std::string problem = field->take(taken, slot, value);
            if (!problem.empty())
                faults.push_back({entry.line, refusalText(name, *field, value, problem)});
        } else if (role || fieldByKey(entry.name, true)) {
            faults.push_back(
                {entry.line, folded(entry.name) + " stands before any [slotN] section"});
        } else {
            faults.push_back({entry.line, "unknown entry " + quotedAscii(entry.name) +
                                              " (the entries" +
                                              (slot >= 0 ? "" : " before any section") + " are " +
                                              entryList(slot >= 0) + ")"});
        }
    }
    KeysFile file = bindKeys(entries);
    file.computer = taken.computer;
    file.sound = taken.sound;
    file.faults.insert(file.faults.end(), faults.begin(), faults.end());
    sortFaults(file.faults);
    return file;
}

KeysFile readKeysFile(const std::string& path) {
    const FileContent content = readRegularFile(path, kKeysFileLimit);
    switch (content.status) {
        case FileContent::Status::ok:
            return parseKeys(content.data);
        case FileContent::Status::missing:
            return KeysFile{};
        case FileContent::Status::folder:
            return unusable("is a folder, not a file");
        case FileContent::Status::notRegular:
            return unusable("is not a regular file");
        case FileContent::Status::tooLarge:
            return unusable("is larger than " + std::to_string(kKeysFileLimit) +
                            " bytes, too large for a keys file");
        case FileContent::Status::unreadable:
            break;
    }
    return unusable("cannot be read: " + content.reason);
}

std::string formatKeys(const TextSettings& settings) {
    std::string text =
        "# Quorl keys: each player slot's keys to turn left, turn right and fire.\n"
        "# Keys are named by their place on a US keyboard, whatever the layout; quorl-config\n"
        "# keys --list lists the names. A slot or key left out keeps its default.\n";
    // The other settings only where they differ from their defaults.
    const TextSettings defaults;
    const auto entry = [&](const TextField& field, int slot) {
        const std::string value = field.format(settings, slot);
        if (value == field.format(defaults, slot)) return std::string();
        return std::string(field.key) + " = " + value + "\n";
    };
    std::string head;
    for (const TextField& field : kTextFields) {
        if (!field.perSlot) head += entry(field, -1);
    }
    if (!head.empty()) text += "\n" + head;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        text += "\n[slot" + std::to_string(slot) + "]\n";
        for (const KeyRole role : kKeyRoles) {
            text += std::string(keyRoleName(role)) + " = " +
                    keyName(keyFor(settings.bindings[slot], role)) + "\n";
        }
        for (const TextField& field : kTextFields) {
            if (field.perSlot) text += entry(field, slot);
        }
    }
    return text;
}

bool operator==(const TextSettings& a, const TextSettings& b) {
    return a.bindings == b.bindings && a.computer == b.computer && a.sound.on == b.sound.on &&
           a.sound.volume == b.sound.volume;
}

const std::vector<TextField>& textFields() {
    return kTextFields;
}

std::optional<NamedTextField> findTextField(const std::string& name) {
    const std::string wanted = lowerAscii(trimmed(name));
    for (const TextField& field : kTextFields) {
        const int first = field.perSlot ? 0 : -1;
        const int end = field.perSlot ? kSlotCount : 0;
        for (int slot = first; slot < end; ++slot) {
            if (wanted == fieldName(field, slot)) return NamedTextField{&field, slot, wanted};
        }
    }
    return std::nullopt;
}

void applyTextAssignments(TextSettings& settings,
                          const std::vector<std::pair<std::string, std::string>>& pairs) {
    TextSettings changed = settings;
    std::vector<std::string> problems;
    std::vector<std::string> seen;
    for (const auto& [name, value] : pairs) {
        const std::optional<NamedTextField> found = findTextField(name);
        if (!found) {
            problems.push_back("unknown setting " + quoted(name));
        } else if (std::find(seen.begin(), seen.end(), found->name) != seen.end()) {
            problems.push_back(found->name + " is given more than once");
        } else {
            seen.push_back(found->name);
            const std::string problem = found->field->take(changed, found->slot, value);
            if (!problem.empty())
                problems.push_back(refusalText(found->name, *found->field, value, problem));
        }
    }
    if (!problems.empty()) throw ConfigError(joinLines(problems));
    settings = changed;
}

const char* computerLevelName(ComputerLevel level) {
    switch (level) {
        case ComputerLevel::easy:
            return "easy";
        case ComputerLevel::normal:
            return "normal";
        case ComputerLevel::hard:
            return "hard";
        case ComputerLevel::none:
            break;
    }
    return "no";
}

std::string keysPathFor(const std::string& configPath) {
    const std::filesystem::path folder = std::filesystem::path(configPath).parent_path();
    return folder.empty() ? kKeysFileName : (folder / kKeysFileName).string();
}

std::string unreadableKeyLines(const KeysFile& keys, const std::string& keysPath) {
    std::vector<Fault> lost;
    std::copy_if(keys.faults.begin(), keys.faults.end(), std::back_inserter(lost),
                 [](const Fault& fault) { return !fault.taken; });
    return faultList(lost, keysPath);
}
