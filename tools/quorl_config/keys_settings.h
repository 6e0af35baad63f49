// The players' keys in quorl-config: the keys file beside a config, the key settings of `set`
// (slotN.left, slotN.right, slotN.fire) and the list of key names.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/players/bindings.h"

// The keys file beside the config at `configPath`.
std::string keysPathFor(const std::string& configPath);

// The slot and role of a key setting (slotN.left, slotN.right or slotN.fire, case does not
// matter), or none.
std::optional<KeyHolder> findKeyField(const std::string& name);

// Applies KEY-SETTING=NAME pairs after checking every one: an unknown key name, a reserved key,
// a key given twice, and a key that another slot or role holds once all of them are applied
// (naming that holder; so two keys can swap in one command). Throws ConfigError listing every
// problem, one a line, and leaves `bindings` untouched when there is any.
void applyKeyAssignments(Bindings& bindings,
                         const std::vector<std::pair<std::string, std::string>>& pairs);

// The keys file of the config at `configPath` for reading keys from: `keys` holds what the game
// reads. Returns the problems that would make writing it anew lose lines of it (lines the game
// cannot read at all), as "KEYS:LINE: text" lines; empty when there are none.
std::string unreadableKeyLines(const KeysFile& keys, const std::string& keysPath);

// Every key name, one a line, in the order of namedKeys(); the keys the game keeps for itself
// marked.
std::string keyNameList();

// How the keys of the slots are set, for `set --help`.
std::string keySettingsHelp();
