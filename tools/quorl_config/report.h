// The readable listing of `quorl-config show` and the invariant checks of `quorl-config check`.
#pragma once

#include <string>
#include <vector>

#include "game/players/bindings.h"
#include "tools/quorl_config/settings_file.h"

// Every setting under a self-explaining label, with units, the slots and their keys as `keys`
// (the file at keysPath) binds them.
std::string showText(const std::string& path, const SettingsFile& file, const KeysFile& keys,
                     const std::string& keysPath);

// A problem or warning of `check` and the settings it concerns, by their names in
// quorl-config set ("slot2.name", "limit"); "players" stands for the slots as a whole.
struct CheckFinding {
    std::vector<std::string> settings;
    std::string text;
};

// Every broken invariant, one sentence each; empty when the game can use the file as it is.
// Pattern files are looked for where patternFolders(path) says.
std::vector<CheckFinding> problemFindings(const std::string& path, const SettingsBytes& bytes);

// Every setting that the game accepts but that spoils a match, one sentence each saying what the
// game will do: fewer than two players, speed 0, limit 0, empty or shared player names.
std::vector<CheckFinding> warningFindings(const SettingsBytes& bytes);

// The pattern file name of a slot as the game uses it.
std::string gamePatternName(const Settings& s, int slot);
