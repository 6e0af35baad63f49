// The readable listing of `quorl-config show`.
#pragma once

#include <string>

#include "core/keys_file.h"
#include "core/settings_file.h"

// Every setting under a self-explaining label, with units, the slots and their keys as `keys`
// (the file at keysPath) binds them.
std::string showText(const std::string& path, const SettingsFile& file, const KeysFile& keys,
                     const std::string& keysPath);
