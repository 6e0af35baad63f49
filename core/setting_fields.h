// The named settings as one table: where each is stored, its kind, label, meaning, allowed
// values and default. The game's defaults, quorl-config's show, set, export, import and check,
// and quorl-setup's fields all read it.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "core/settings_file.h"

// How a setting is stored and written. `reserved` and `playerCount` are stored values with no
// name of their own, which only the text form's [raw] section writes.
enum class FieldKind { number, flag, mode, colour, name, pattern, reserved, playerCount };

// How `show` describes a number that is more than a value and a unit.
using DescribeNumber = std::string (*)(const SettingsBytes& bytes, unsigned value);

struct SettingField {
    std::string name;  // as typed after `set`, e.g. "turn-rate" or "slot2.name"
    int slot;          // the slot of a slot setting, -1 for the others
    std::string key;   // the name within the slot ("name"), or the whole name
    FieldKind kind;
    std::size_t offset;    // the first byte in the file
    std::size_t width;     // bytes in the file
    std::string label;     // in `show`
    const char* meaning;   // what the setting does
    const char* shown;     // `show`: a number's unit, or a flag's word when it is unset
    const char* shownSet;  // `show`: a flag's word when it is set
    DescribeNumber describe;
    std::string allowed;       // the values accepted, in words
    std::string defaultValue;  // in the form `assign` takes

    // A player or file name, which the text form writes in quotes.
    bool isText() const { return kind == FieldKind::name || kind == FieldKind::pattern; }
    // The stored bytes of the setting, as characters.
    const char* chars(const SettingsBytes& bytes) const {
        return reinterpret_cast<const char*>(bytes.data() + offset);
    }
    // Checks `value` and stores it; throws ConfigError naming the setting, value and rule.
    void assign(SettingsBytes& bytes, const std::string& value) const;
    // The value in the form `assign` takes.
    std::string format(const SettingsBytes& bytes) const;
    std::string format(const Settings& s) const;
    // The value under the label of `show`.
    std::string shownValue(const SettingsBytes& bytes) const;
};

// Every named setting, in the order the text form lists them.
const std::vector<SettingField>& settingFields();

// The stored values that the text form writes exactly, under [raw], when their named settings
// cannot express them: the reserved bytes, the flags, names and patterns in the order of the
// settings, and last the player count, after the enabled flags it is compared with. This is the
// order import applies them in.
const std::vector<SettingField>& rawFields();

// The setting called `name` (case does not matter), or nullptr.
const SettingField* findSettingField(const std::string& name);

// Applies NAME=VALUE pairs after checking every one; throws ConfigError listing all problems
// (one a line) and leaves `s` untouched when there is any. Updates playerCount to match.
void applyAssignments(Settings& s, const std::vector<std::pair<std::string, std::string>>& pairs);

// The words a yes-or-no setting takes, for messages.
inline constexpr const char* kFlagWords = "yes, no, on, off, true, false, 1 or 0";

// A yes-or-no word (one of kFlagWords, case and white space around it do not matter); none for
// any other text.
std::optional<bool> flagWord(const std::string& value);

// The value of a string of decimal digits with white space around (ULONG_MAX when it overflows);
// none for any other text.
std::optional<unsigned long> wholeNumber(const std::string& text);

// A whole number from 0 to `max`; throws ConfigError naming the setting, the value and `allowed`.
unsigned long parseNumber(const std::string& name, const std::string& value, unsigned long max,
                          const std::string& allowed);

// The settings `quorl-config new` writes and the game's default config holds: each setting's
// default from the table.
Settings defaultSettings();

// The text of a name or pattern field: up to its terminator, or all of it when it has none.
std::string fieldText(const char* field, std::size_t width);

// True when a name or pattern field holds a terminator followed by zeros only.
bool fieldIsClean(const char* field, std::size_t width);

// What makes `name` unfit as a pattern file name; empty when it is fine.
std::string patternNameProblem(const std::string& name);
