// The players' keys: the key names, the reserved keys, clashes, and reading and writing the
// `keys` file.
#include "game/players/bindings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct NamedKey {
    std::uint8_t key;
    const char* name;
};

// The keys that are neither letters nor digits, in the order of the name list; every key the
// platform reports (platform/keymap.cpp).
constexpr NamedKey kNamedKeys[] = {
    {vk::kLeft, "Left arrow"},
    {vk::kRight, "Right arrow"},
    {vk::kUp, "Up arrow"},
    {vk::kDown, "Down arrow"},
    {vk::kInsert, "Insert"},
    {vk::kDelete, "Delete"},
    {vk::kHome, "Home"},
    {vk::kEnd, "End"},
    {vk::kPageUp, "Page Up"},
    {vk::kPageDown, "Page Down"},
    {vk::kKeypad0, "Keypad 0"},
    {vk::kKeypad0 + 1, "Keypad 1"},
    {vk::kKeypad0 + 2, "Keypad 2"},
    {vk::kKeypad0 + 3, "Keypad 3"},
    {vk::kKeypad0 + 4, "Keypad 4"},
    {vk::kKeypad0 + 5, "Keypad 5"},
    {vk::kKeypad0 + 6, "Keypad 6"},
    {vk::kKeypad0 + 7, "Keypad 7"},
    {vk::kKeypad0 + 8, "Keypad 8"},
    {vk::kKeypad0 + 9, "Keypad 9"},
    {vk::kKeypadDivide, "Keypad /"},
    {vk::kKeypadMultiply, "Keypad *"},
    {vk::kKeypadSubtract, "Keypad -"},
    {vk::kKeypadAdd, "Keypad +"},
    {vk::kKeypadDecimal, "Keypad ."},
    {vk::kGrave, "Grave"},
    {vk::kMinus, "Minus"},
    {vk::kEquals, "Equals"},
    {vk::kLeftBracket, "Left bracket"},
    {vk::kRightBracket, "Right bracket"},
    {vk::kBackslash, "Backslash"},
    {vk::kSemicolon, "Semicolon"},
    {vk::kApostrophe, "Apostrophe"},
    {vk::kComma, "Comma"},
    {vk::kPeriod, "Period"},
    {vk::kSlash, "Slash"},
    {vk::kOem102, "Non-US backslash"},
    {vk::kF1, "F1"},
    {vk::kF1 + 1, "F2"},
    {vk::kF1 + 2, "F3"},
    {vk::kF1 + 3, "F4"},
    {vk::kF1 + 4, "F5"},
    {vk::kF1 + 5, "F6"},
    {vk::kF1 + 6, "F7"},
    {vk::kF1 + 7, "F8"},
    {vk::kF1 + 8, "F9"},
    {vk::kF10, "F10"},
    {vk::kF1 + 10, "F11"},
    {vk::kF1 + 11, "F12"},
    {vk::kSpace, "Space"},
    {vk::kEscape, "Escape"},
    {vk::kAlt, "Alt"},
    {vk::kTab, "Tab"},
    {vk::kReturn, "Enter"},
    {vk::kBackspace, "Backspace"},
    {vk::kShift, "Shift"},
    {vk::kControl, "Ctrl"},
    {vk::kCapsLock, "Caps Lock"},
    {vk::kLeftWindows, "Left Windows"},
    {vk::kRightWindows, "Right Windows"},
    {vk::kApplications, "Menu"},
    {vk::kPrintScreen, "Print Screen"},
    {vk::kScrollLock, "Scroll Lock"},
    {vk::kPause, "Pause"},
    {vk::kNumLock, "Num Lock"},
};

constexpr std::uint8_t kReservedKeys[] = {vk::kSpace, vk::kEscape, vk::kAlt, vk::kF10};

bool isLetterOrDigit(std::uint8_t key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Lower case, without white space around, runs of white space inside made one space.
std::string folded(const std::string& text) {
    std::string out;
    for (const char c : trimmed(text)) {
        if (isBlank(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += lower(c);
        }
    }
    return out;
}

// `text` in double quotes for a message, bytes outside printable ASCII as \xHH, cut when long.
std::string quoted(const std::string& text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
        } else {
            static const char kHex[] = "0123456789ABCDEF";
            out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        }
    }
    return out + (text.size() > kShown ? "...\"" : "\"");
}

int roleIndex(KeyRole role) {
    return static_cast<int>(role);
}

// The fault of a reserved key.
std::string reservedText(const KeyHolder& holder, std::uint8_t key) {
    return holderName(holder) + " = " + keyName(key) + ": " + keyName(key) +
           " is the game's own key (it keeps " + reservedKeysText() + " for itself)";
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

// Reads one `NAME = KEY` line of the section of `slot`: its entry, or its fault.
void readEntry(const std::string& line, int lineNumber, int slot, std::vector<KeyEntry>& entries,
               std::vector<KeysFault>& faults) {
    const std::size_t equals = line.find('=');
    const std::string name = trimmed(line.substr(0, equals));
    const std::string value = line.substr(equals + 1);
    const std::optional<KeyRole> role = keyRoleByName(name);
    if (!role) {
        faults.push_back({lineNumber, "unknown entry " + quoted(name) +
                                          " (the entries are left, right and fire)"});
    } else if (slot < 0) {
        faults.push_back(
            {lineNumber, std::string(keyRoleName(*role)) + " stands before any [slotN] section"});
    } else {
        entries.push_back(
            {{slot, *role}, trimmed(value.substr(0, value.find_first_of("#;"))), lineNumber});
    }
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

void sortFaults(std::vector<KeysFault>& faults) {
    std::stable_sort(faults.begin(), faults.end(),
                     [](const KeysFault& a, const KeysFault& b) { return a.line < b.line; });
}

}  // namespace

const char* keyRoleName(KeyRole role) {
    switch (role) {
        case KeyRole::left:
            return "left";
        case KeyRole::right:
            return "right";
        case KeyRole::fire:
            return "fire";
    }
    return "";
}

std::optional<KeyRole> keyRoleByName(const std::string& name) {
    const std::string text = folded(name);
    for (const KeyRole role : kKeyRoles) {
        if (text == keyRoleName(role)) return role;
    }
    return std::nullopt;
}

std::uint8_t keyFor(const SlotKeys& keys, KeyRole role) {
    switch (role) {
        case KeyRole::left:
            return keys.left;
        case KeyRole::right:
            return keys.right;
        case KeyRole::fire:
            return keys.fire;
    }
    return 0;
}

void setKeyFor(SlotKeys& keys, KeyRole role, std::uint8_t key) {
    switch (role) {
        case KeyRole::left:
            keys.left = key;
            break;
        case KeyRole::right:
            keys.right = key;
            break;
        case KeyRole::fire:
            keys.fire = key;
            break;
    }
}

std::string keyName(std::uint8_t key) {
    if (isLetterOrDigit(key)) return std::string(1, static_cast<char>(key));
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    return "";
}

std::uint8_t keyByName(const std::string& name) {
    const std::string text = folded(name);
    if (text.size() == 1) {
        const char upper =
            text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 'a' + 'A') : text[0];
        if (isLetterOrDigit(static_cast<std::uint8_t>(upper)))
            return static_cast<std::uint8_t>(upper);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (folded(named.name) == text) return named.key;
    }
    return 0;
}

const std::vector<std::uint8_t>& namedKeys() {
    static const std::vector<std::uint8_t> keys = [] {
        std::vector<std::uint8_t> list;
        for (char c = 'A'; c <= 'Z'; ++c) list.push_back(static_cast<std::uint8_t>(c));
        for (char c = '0'; c <= '9'; ++c) list.push_back(static_cast<std::uint8_t>(c));
        for (const NamedKey& named : kNamedKeys) list.push_back(named.key);
        return list;
    }();
    return keys;
}

bool isReservedKey(std::uint8_t key) {
    return std::find(std::begin(kReservedKeys), std::end(kReservedKeys), key) !=
           std::end(kReservedKeys);
}

const char* reservedKeysText() {
    return "Space, Escape, Alt and F10";
}

std::string holderName(const KeyHolder& holder) {
    return "slot" + std::to_string(holder.slot) + "." + keyRoleName(holder.role);
}

std::optional<KeyHolder> holderOf(const Bindings& bindings, std::uint8_t key,
                                  std::optional<KeyHolder> except) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const KeyHolder holder{slot, role};
            if (except && *except == holder) continue;
            if (keyFor(bindings[slot], role) == key) return holder;
        }
    }
    return std::nullopt;
}

std::vector<KeyClash> keyClashes(const Bindings& bindings) {
    std::vector<KeyClash> clashes;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            const KeyHolder holder{slot, role};
            const std::uint8_t key = keyFor(bindings[slot], role);
            const std::optional<KeyHolder> first = holderOf(bindings, key);
            if (first && !(*first == holder)) clashes.push_back({key, *first, holder});
        }
    }
    return clashes;
}

std::vector<KeyHolder> reservedHolders(const Bindings& bindings) {
    std::vector<KeyHolder> holders;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const KeyRole role : kKeyRoles) {
            if (isReservedKey(keyFor(bindings[slot], role))) holders.push_back({slot, role});
        }
    }
    return holders;
}

std::vector<std::string> bindingProblems(const Bindings& bindings) {
    std::vector<std::string> problems;
    for (const KeyHolder& holder : reservedHolders(bindings)) {
        problems.push_back(reservedText(holder, keyFor(bindings[holder.slot], holder.role)));
    }
    for (const KeyClash& clash : keyClashes(bindings)) {
        problems.push_back(holderName(clash.second) + " = " + keyName(clash.key) + ": " +
                           keyName(clash.key) + " is bound to " + holderName(clash.first) +
                           " already");
    }
    return problems;
}

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
            file.faults.push_back({entry.line, holderName(holder) + " = " + quoted(entry.value) +
                                                   ": no key has this name (quorl-config keys "
                                                   "--list lists them)"});
        } else {
            bound[holder.slot][roleIndex(holder.role)] = entry.line;
            file.given[holder.slot][roleIndex(holder.role)] = true;
            setKeyFor(file.bindings[holder.slot], holder.role, key);
            if (isReservedKey(key))
                file.faults.push_back({entry.line, reservedText(holder, key), true});
        }
    }
    addClashFaults(file, bound);
    sortFaults(file.faults);
    return file;
}

KeysFile parseKeys(const std::string& text) {
    std::vector<KeyEntry> entries;
    std::vector<KeysFault> faults;
    int slot = -1;
    bool inUnknownSection = false;
    int lineNumber = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (raw.find('\0') != std::string::npos) {
            faults.push_back({lineNumber, "the line holds a NUL byte"});
            continue;
        }
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            const std::string rest =
                close == std::string::npos ? "" : trimmed(line.substr(close + 1));
            slot = close == std::string::npos ? -1 : slotOfSection(line.substr(1, close - 1));
            inUnknownSection = slot < 0;
            if (close == std::string::npos || !(rest.empty() || rest[0] == '#' || rest[0] == ';')) {
                faults.push_back({lineNumber, "not a section: expected [slotN]"});
                slot = -1;
                inUnknownSection = true;
            } else if (slot < 0) {
                faults.push_back({lineNumber, "unknown section " +
                                                  quoted(line.substr(0, close + 1)) +
                                                  " (the sections are [slot0] to [slot5])"});
            }
            continue;
        }
        if (line.find('=') == std::string::npos) {
            faults.push_back({lineNumber,
                              "not an entry: expected left, right or fire = KEY, a [slotN] "
                              "section or a # comment"});
            continue;
        }
        // The entries of an unknown section are not looked at: its header has its fault.
        if (!inUnknownSection) readEntry(line, lineNumber, slot, entries, faults);
    }
    KeysFile file = bindKeys(entries);
    file.faults.insert(file.faults.end(), faults.begin(), faults.end());
    sortFaults(file.faults);
    return file;
}

KeysFile readKeysFile(const std::string& path) {
    KeysFile unusable;
    unusable.present = true;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        // Nothing at all by that name: no keys file. A dangling link is one that cannot be read.
        if (error == ENOENT && ::lstat(path.c_str(), &info) != 0) return KeysFile{};
        unusable.faults.push_back({0, std::string("cannot be read: ") + std::strerror(error)});
        return unusable;
    }
    if (S_ISDIR(info.st_mode)) {
        unusable.faults.push_back({0, "is a folder, not a file"});
        return unusable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        unusable.faults.push_back({0, std::string("cannot be read: ") + std::strerror(errno)});
        return unusable;
    }
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kKeysFileLimit) {
            unusable.faults.push_back({0, "is larger than " + std::to_string(kKeysFileLimit) +
                                              " bytes, too large for a keys file"});
            return unusable;
        }
    }
    if (in.bad()) {
        unusable.faults.push_back({0, "cannot be read"});
        return unusable;
    }
    return parseKeys(text);
}

std::string keysFaultList(const std::vector<KeysFault>& faults, const std::string& source) {
    std::string text;
    for (const KeysFault& fault : faults) {
        if (!text.empty()) text += "\n";
        text +=
            source + (fault.line > 0 ? ":" + std::to_string(fault.line) : "") + ": " + fault.text;
    }
    return text;
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

std::string slotKeysText(const SlotKeys& keys) {
    const auto name = [](std::uint8_t key) {
        const std::string text = keyName(key);
        if (!text.empty()) return text;
        char hex[16];
        std::snprintf(hex, sizeof hex, "key 0x%02X", key);
        return std::string(hex);
    };
    return "left " + name(keys.left) + ", right " + name(keys.right) + ", fire " + name(keys.fire);
}
