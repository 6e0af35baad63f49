// The optional text file `keys` beside `config` in the run folder: the settings that the binary
// config has no room for. It has one INI section per slot, numbered as quorl-config numbers the
// slots (0 to 5), with the slot's keys; whatever it leaves out keeps its default:
//
//     [slot1]
//     left = Z
//     right = C
//     fire = X
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/bindings.h"
#include "core/faults.h"

// Its name, beside `config` in the run folder.
inline constexpr const char* kKeysFileName = "keys";

// Files larger than this are surely no keys file; the game refuses them.
inline constexpr std::size_t kKeysFileLimit = 64 * 1024;

struct KeysFile {
    bool present = false;                  // whether the file exists
    Bindings bindings = kDefaultBindings;  // as the file binds them, the defaults elsewhere
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

// The text of a keys file that binds `bindings`: a comment, then a section per slot with its
// three keys by name. parseKeys reads it back as it was.
std::string formatKeys(const Bindings& bindings);

// The keys file beside the config at `configPath`.
std::string keysPathFor(const std::string& configPath);

// The faults that would make writing the file anew lose lines of it (lines that could not be
// used at all), as "KEYS:LINE: text" lines; empty when there are none.
std::string unreadableKeyLines(const KeysFile& keys, const std::string& keysPath);
