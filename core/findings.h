// What `quorl-config check` and quorl-setup find in settings: every problem the game would meet
// and every setting that spoils a match, with the settings each concerns.
#pragma once

#include <string>
#include <vector>

#include "core/settings_file.h"

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
