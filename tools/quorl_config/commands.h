// The commands of quorl-config, each returning the exit status; failures throw ConfigError.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Assignments = std::vector<std::pair<std::string, std::string>>;

// The settings, and the keys as the keys file beside the config binds them.
int showCommand(const std::string& path, std::ostream& out);
// Settings go to the config, the slots' keys (slotN.left, slotN.right, slotN.fire) to the keys
// file beside it, each file written whole; nothing is written when anything is refused. Refuses,
// unless `force`, a pattern that the game would not find beside the config.
int setCommand(const std::string& path, const Assignments& assignments, bool force,
               std::ostream& out, std::ostream& err);
// Says whether a keys file beside the config stays in force.
int newCommand(const std::string& path, bool force, std::ostream& out);
// With `list`, every key name; otherwise the slots' keys as a keys file, as they are bound.
int keysCommand(const std::string& path, bool list, std::ostream& out, std::ostream& err);
int exportCommand(const std::string& path, const std::string& output, std::ostream& out,
                  std::ostream& err);
// The text's keys, if it gives any, go to the keys file beside the config. Without `force`,
// refuses a text naming a pattern that the game would not find beside the config, and keeps an
// existing config or keys file that holds other settings.
int importCommand(const std::string& textPath, const std::string& path, bool force,
                  std::ostream& out);
// Prints every broken invariant, every line of the keys file the game refuses and every setting
// that spoils a match and returns 1, or prints "ok" and returns 0.
int checkCommand(const std::string& path, std::ostream& out, std::ostream& err);
