// The commands of quorl-config, each returning the exit status; failures throw ConfigError.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Assignments = std::vector<std::pair<std::string, std::string>>;

int showCommand(const std::string& path, std::ostream& out);
// Refuses, unless `force`, a pattern that the game would not find beside the config.
int setCommand(const std::string& path, const Assignments& assignments, bool force,
               std::ostream& out, std::ostream& err);
int newCommand(const std::string& path, bool force, std::ostream& out);
int exportCommand(const std::string& path, const std::string& output, std::ostream& out,
                  std::ostream& err);
// Without `force`, refuses a text naming a pattern that the game would not find beside the
// config, and keeps an existing file that holds other settings.
int importCommand(const std::string& textPath, const std::string& path, bool force,
                  std::ostream& out);
// Prints every broken invariant and every setting that spoils a match and returns 1, or prints
// "ok" and returns 0.
int checkCommand(const std::string& path, std::ostream& out, std::ostream& err);
