// Reading and writing the `keys` file through the INI reader, with the game's rules for keys.
#include "core/keys_file.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "core/files.h"
#include "core/ini_reader.h"
#include "core/text.h"

namespace {

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

// The slot each section header opens, or -1 for a header with a fault (those go to `faults`).
std::vector<int> sectionSlots(const IniText& ini, std::vector<Fault>& faults) {
    std::vector<int> slots;
    for (const IniSection& section : ini.sections) {
        const int slot = section.closed ? slotOfSection(section.name) : -1;
        slots.push_back(slot);
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
    const std::vector<int> slots = sectionSlots(ini, faults);
    std::vector<KeyEntry> entries;
    for (const IniEntry& entry : ini.entries) {
        // A line with a fault of its own says nothing more.
        if (std::count(faultyLines.begin(), faultyLines.end(), entry.line) != 0) continue;
        const int section = sectionIndexOf(ini, entry.line);
        const std::optional<KeyRole> role = keyRoleByName(entry.name);
        if (!role) {
            // The entries of an unknown section are not looked at: its header has its fault.
            if (section < 0 || slots[static_cast<std::size_t>(section)] >= 0)
                faults.push_back({entry.line, "unknown entry " + quotedAscii(entry.name) +
                                                  " (the entries are left, right and fire)"});
        } else if (section < 0) {
            faults.push_back({entry.line, std::string(keyRoleName(*role)) +
                                              " stands before any [slotN] section"});
        } else if (const int slot = slots[static_cast<std::size_t>(section)]; slot >= 0) {
            // A value may end in a comment, by # or ;.
            const std::string& value = entry.pieces.front();
            entries.push_back(
                {{slot, *role}, trimmed(value.substr(0, value.find_first_of("#;"))), entry.line});
        }
    }
    KeysFile file = bindKeys(entries);
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

std::string formatKeys(const Bindings& bindings) {
    std::string text =
        "# Quorl keys: each player slot's keys to turn left, turn right and fire.\n"
        "# Keys are named by their place on a US keyboard, whatever the layout; quorl-config\n"
        "# keys --list lists the names. A slot or key left out keeps its default.\n";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        text += "\n[slot" + std::to_string(slot) + "]\n";
        for (const KeyRole role : kKeyRoles) {
            text += std::string(keyRoleName(role)) + " = " + keyName(keyFor(bindings[slot], role)) +
                    "\n";
        }
    }
    return text;
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
