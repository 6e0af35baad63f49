// The commands of quorl-config, each returning the exit status; failures throw ConfigError.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

using Assignments = std::vector<std::pair<std::string, std::string>>;

int showCommand(const std::string& path, std::ostream& out);
int setCommand(const std::string& path, const Assignments& assignments, std::ostream& out,
               std::ostream& err);
int newCommand(const std::string& path, bool force, std::ostream& out);
int exportCommand(const std::string& path, const std::string& output, std::ostream& out,
                  std::ostream& err);
int importCommand(const std::string& textPath, const std::string& path, bool force,
                  std::ostream& out);
// Prints every broken invariant and returns 1, or prints "ok" and returns 0.
int checkCommand(const std::string& path, std::ostream& out, std::ostream& err);
