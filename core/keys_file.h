// The optional text file `keys` beside `config` in the run folder: the settings that the binary
// config has no room for, named as quorl-config names them. Before any section stand the sound
// settings; then one INI section per slot, numbered as quorl-config numbers the slots (0 to 5),
// with the slot's keys and who steers it. Whatever it leaves out keeps its default:
//
//     volume = 60
//
//     [slot1]
//     left = Z
//     right = C
//     fire = X
//     computer = hard
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/bindings.h"
#include "core/faults.h"

// Its name, beside `config` in the run folder.
inline constexpr const char* kKeysFileName = "keys";

// Files larger than this are surely no keys file; the game refuses them.
inline constexpr std::size_t kKeysFileLimit = 64 * 1024;

// Who steers a slot: people (none), or the computer at a level.
enum class ComputerLevel : std::uint8_t { none, easy, normal, hard };

// The sound: whether the game plays it, and how loud, from 0 to 100.
struct SoundSettings {
    bool on = true;
    std::uint8_t volume = 80;
};

// The settings of a keys file, each as the file gives it or its default.
struct TextSettings {
    Bindings bindings = kDefaultBindings;
    std::array<ComputerLevel, kSlotCount> computer{};
    SoundSettings sound;
};

bool operator==(const TextSettings& a, const TextSettings& b);
inline bool operator!=(const TextSettings& a, const TextSettings& b) {
    return !(a == b);
}

struct KeysFile : TextSettings {
    bool present = false;  // whether the file exists
    // Which keys the file names, by slot and role (KeyRole order).
    std::array<std::array<bool, 3>, kSlotCount> given{};
    // By line; the game plays only when this is empty. A fault that is `taken` is a key bound
    // twice or a reserved key: the bindings hold the key as written, so that a later change of
    // the other holder can still mend it. Any other fault's key keeps its default.
    std::vector<Fault> faults;
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
// cannot be read, is no regular file or is larger than kKeysFileLimit gets a fault on line 0.
KeysFile readKeysFile(const std::string& path);

// The text of a keys file that holds `settings`: a comment, the sound settings that are not their
// defaults, then a section per slot with its three keys by name and its computer player, if any.
// parseKeys reads it back as it was.
std::string formatKeys(const TextSettings& settings);

// --- The settings other than keys, as quorl-config sets them ---

// A setting of the keys file other than a key: "sound" and "volume" before any section, and
// "computer" in each slot's.
struct TextField {
    const char* key;  // its name in the file
    bool perSlot;
    const char* meaning;
    const char* allowed;
    // Stores `value` for `slot` (-1 for a setting before any section); returns why it is
    // refused, or an empty text.
    std::string (*take)(TextSettings& settings, int slot, const std::string& value);
    // The value as `take` takes it.
    std::string (*format)(const TextSettings& settings, int slot);
};

// Every such setting, in the order the files list them.
const std::vector<TextField>& textFields();

// The setting `name` as quorl-config names it ("sound", "slot3.computer", case does not
// matter), with its slot (-1 for one before any section); none for any other name.
struct NamedTextField {
    const TextField* field;
    int slot;
    std::string name;  // in lower case
};
std::optional<NamedTextField> findTextField(const std::string& name);

// Applies NAME=VALUE pairs of these settings after checking every one; throws ConfigError listing
// all problems (one a line) and leaves `settings` untouched when there is any.
void applyTextAssignments(TextSettings& settings,
                          const std::vector<std::pair<std::string, std::string>>& pairs);

// The name of a computer level as the files write it: "no", "easy", "normal" or "hard".
const char* computerLevelName(ComputerLevel level);

// The keys file beside the config at `configPath`.
std::string keysPathFor(const std::string& configPath);

// The faults that would make writing the file anew lose lines of it (lines that could not be
// used at all), as "KEYS:LINE: text" lines; empty when there are none.
std::string unreadableKeyLines(const KeysFile& keys, const std::string& keysPath);
