// The error the settings editor raises for bad input and failed file access.
#pragma once

#include <stdexcept>

// A message for the user: the command prints it and exits with status 1. Several problems
// found together go on separate lines.
class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
