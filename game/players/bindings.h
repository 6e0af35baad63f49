// The players' keys: which key turns each slot's line left, which right and which fires, the
// names of the keys, the keys the game keeps for itself, and the optional text file `keys` that
// binds them. Plain rules without SDL or GL (the library quorl_bindings), shared by the game,
// quorl-runner, quorl-config and quorl-setup.
//
// Keys are virtual-key codes (platform/virtual_keys.h), which stand for places on the keyboard:
// `Z` is the key where a US keyboard has Z, whatever the layout.
//
// The `keys` file, beside `config` in the run folder, has one INI section per slot, numbered as
// quorl-config numbers the slots (0 to 5); whatever it leaves out keeps its default:
//
//     [slot1]
//     left = Z
//     right = C
//     fire = X
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/virtual_keys.h"

// A slot's three keys, as virtual-key codes.
struct SlotKeys {
    std::uint8_t left;
    std::uint8_t right;
    std::uint8_t fire;
};

inline bool operator==(const SlotKeys& a, const SlotKeys& b) {
    return a.left == b.left && a.right == b.right && a.fire == b.fire;
}
inline bool operator!=(const SlotKeys& a, const SlotKeys& b) {
    return !(a == b);
}

// What a key does for its slot.
enum class KeyRole { left, right, fire };
inline constexpr KeyRole kKeyRoles[] = {KeyRole::left, KeyRole::right, KeyRole::fire};

// "left", "right" or "fire": the entry names of the keys file and of `quorl-config set slotN.*`.
const char* keyRoleName(KeyRole role);

// The role called `name`, case-insensitive; none for any other name.
std::optional<KeyRole> keyRoleByName(const std::string& name);

std::uint8_t keyFor(const SlotKeys& keys, KeyRole role);
void setKeyFor(SlotKeys& keys, KeyRole role, std::uint8_t key);

// Every slot's keys, by slot number.
using Bindings = std::array<SlotKeys, kSlotCount>;

// The design's table: in force for every key that the keys file leaves out.
inline constexpr Bindings kDefaultBindings = {{
    {vk::kLeft, vk::kRight, vk::kUp},
    {vk::kKeypadDivide, vk::kKeypadSubtract, vk::kKeypadMultiply},
    {vk::kInsert, vk::kPageUp, vk::kHome},
    {'I', 'P', 'O'},
    {'V', 'N', 'B'},
    {'Q', 'E', 'W'},
}};

// --- Key names ---

// The name of a key: letters and digits by their character ("Z", "7"), the others by name
// ("Left arrow", "Keypad /", "Page Up", "Insert"); empty for a code that no key reports.
std::string keyName(std::uint8_t key);

// The key called `name`, ignoring case, white space around it and runs of white space inside
// it ("left ARROW" is the Left arrow); 0 when no key has that name.
std::uint8_t keyByName(const std::string& name);

// Every key that has a name, in the order `quorl-config keys --list` prints them: letters,
// digits, the keys around the arrows, the keypad, punctuation, function keys, the rest. The
// reserved keys are among them.
const std::vector<std::uint8_t>& namedKeys();

// True for the keys the game keeps for itself: SPACE (start a round), ESC (quit), the Alt keys
// and F10 (system keys, never read).
bool isReservedKey(std::uint8_t key);

// The reserved keys in words, for messages: "Space, Escape, Alt and F10".
const char* reservedKeysText();

// --- Who holds a key ---

// A slot and one of its keys.
struct KeyHolder {
    int slot;
    KeyRole role;
};

inline bool operator==(const KeyHolder& a, const KeyHolder& b) {
    return a.slot == b.slot && a.role == b.role;
}

// "slot1.left": the name quorl-config set and the keys file give a slot's key.
std::string holderName(const KeyHolder& holder);

// The first slot and role, in slot order and then left, right, fire, that binds `key`, leaving
// out `except`; none when no other holds it.
std::optional<KeyHolder> holderOf(const Bindings& bindings, std::uint8_t key,
                                  std::optional<KeyHolder> except = std::nullopt);

// A key that two holders share; `first` comes before `second` in slot and role order.
struct KeyClash {
    std::uint8_t key;
    KeyHolder first;
    KeyHolder second;
};

// Every pair of holders that share a key, ordered by `second`. Three holders of one key make
// two clashes, each with the first of them.
std::vector<KeyClash> keyClashes(const Bindings& bindings);

// Every holder of a reserved key, in slot and role order.
std::vector<KeyHolder> reservedHolders(const Bindings& bindings);

// Everything the game refuses in a table, one sentence each: keys bound twice and reserved
// keys. Empty when the game can play with it.
std::vector<std::string> bindingProblems(const Bindings& bindings);

// --- The keys file ---

// Its name, beside `config` in the run folder.
inline constexpr const char* kKeysFileName = "keys";

// Files larger than this are surely no keys file; the game refuses them.
inline constexpr std::size_t kKeysFileLimit = 64 * 1024;

struct KeysFault {
    int line;          // from 1; 0 for the file as a whole
    std::string text;  // what is wrong, one sentence without the file's name
    // True for a key bound twice or a reserved key: the bindings hold the key as written, so that
    // a later change of the other holder can still mend it. False for a line that could not be
    // read at all (an unknown name, section or entry, or no INI): its key keeps its default.
    bool binding = false;
};

struct KeysFile {
    bool present = false;                  // whether the file exists
    Bindings bindings = kDefaultBindings;  // as the file binds them, the defaults elsewhere
    // Which keys the file names, by slot and role (KeyRole order).
    std::array<std::array<bool, 3>, kSlotCount> given{};
    std::vector<KeysFault> faults;  // by line; the game plays only when this is empty
};

// One `ROLE = KEY` entry of a slot, as a keys file or a settings text gives it.
struct KeyEntry {
    KeyHolder holder;
    std::string value;  // the key's name as written
    int line;
};

// Binds the entries over the defaults as a keys file does, each fault on its entry's line: no such
// key, a reserved key, a key given twice, a key bound twice (within a slot or across slots, the
// defaults of the slots and roles left out included).
KeysFile bindKeys(const std::vector<KeyEntry>& entries);

// Reads the text of a keys file. Lines are `[slotN]`, `left = KEY`, `right = KEY`,
// `fire = KEY`, empty, or comments starting with # or ;. A value may end in a comment
// (`left = Z  # by the window`). Section, entry and key names ignore case.
KeysFile parseKeys(const std::string& text);

// Reads the keys file at `path`: a missing file binds the defaults and is not `present`; one that
// cannot be read, or is larger than kKeysFileLimit, gets a fault on line 0.
KeysFile readKeysFile(const std::string& path);

// The faults as "SOURCE:LINE: text" lines ("SOURCE: text" for line 0), joined by new lines.
std::string keysFaultList(const std::vector<KeysFault>& faults, const std::string& source);

// The text of a keys file that binds `bindings`: a comment, then a section per slot with its
// three keys by name. parseKeys reads it back as it was.
std::string formatKeys(const Bindings& bindings);

// The slot's keys in words, for listings: "left Left arrow, right Right arrow, fire Up arrow".
std::string slotKeysText(const SlotKeys& keys);
