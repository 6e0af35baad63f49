// The readable listing of `quorl-config show` and the invariant checks of `quorl-config check`.
#pragma once

#include <string>
#include <vector>

#include "tools/quorl_config/settings_file.h"

// Every setting under a self-explaining label, with units, the slots and their keys.
std::string showText(const std::string& path, const SettingsFile& file);

// Every broken invariant, one sentence each; empty when the game can use the file as it is.
// Pattern files are looked for in the folder patterns/ beside `path`.
std::vector<std::string> checkProblems(const std::string& path, const SettingsBytes& bytes);
