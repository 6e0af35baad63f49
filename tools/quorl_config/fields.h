// The named settings of `quorl-config set` and of the text form: checking and formatting values.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"

struct SettingField {
    std::string name;     // as typed after `set`, e.g. "turn-rate" or "slot2.name"
    int slot;             // the slot of a slot setting, -1 for the others
    std::string key;      // the name within the slot ("name"), or the whole name
    std::string meaning;  // what the setting does
    std::string allowed;  // the values accepted, in words
    bool isText;          // a player or file name, which the text form writes in quotes
    // Checks `value` and stores it; throws ConfigError naming the setting, value and rule.
    std::function<void(Settings&, const std::string&)> assign;
    // The value in the form `assign` takes.
    std::function<std::string(const Settings&)> format;
};

// Every named setting, in the order the text form lists them.
const std::vector<SettingField>& settingFields();

// The setting called `name` (case does not matter), or nullptr.
const SettingField* findSettingField(const std::string& name);

// Applies NAME=VALUE pairs after checking every one; throws ConfigError listing all problems
// (one a line) and leaves `s` untouched when there is any. Updates playerCount to match.
void applyAssignments(Settings& s, const std::vector<std::pair<std::string, std::string>>& pairs);

// A whole number from 0 to `max`; throws ConfigError naming the setting, the value and `allowed`.
unsigned long parseNumber(const std::string& name, const std::string& value, unsigned long max,
                          const std::string& allowed);

// The settings `quorl-config new` writes.
Settings defaultSettings();

// The text of a name or pattern field: up to its terminator, or all of it when it has none.
std::string fieldText(const char* field, std::size_t width);

// True when a name or pattern field holds a terminator followed by zeros only.
bool fieldIsClean(const char* field, std::size_t width);

// What makes `name` unfit as a pattern file name; empty when it is fine.
std::string patternNameProblem(const std::string& name);

// A count with its noun, singular for 1 ("1 slot", "0 slots", "2 slots").
std::string counted(std::size_t count, const std::string& noun);

// `value` in double quotes, control bytes as \xHH, for messages.
std::string quoted(const std::string& value);

// `text` broken at spaces into lines of at most `width` bytes (a longer word stands alone), each
// starting with `prefix` and ending in a newline.
std::string wrapText(const std::string& text, std::size_t width, const std::string& prefix);

// A copy of `text` with ASCII letters in lower case.
std::string lowerAscii(std::string text);
