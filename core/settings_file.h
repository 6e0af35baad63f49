// The settings file as quorl-config and quorl-setup read and write it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/files.h"
#include "core/settings.h"

using SettingsBytes = std::array<std::uint8_t, kSettingsFileSize>;

struct SettingsFile {
    SettingsBytes bytes{};        // the first 1618 bytes, zero where the file is shorter
    std::uintmax_t fileSize = 0;  // the size on disk
};

// Reads `path` as the game does, its first 1618 bytes; missing bytes are 0. Throws ConfigError
// when the file can't be read or is no regular file.
SettingsFile readSettingsFile(const std::string& path);

// Reads a whole text file; throws ConfigError when it can't be read.
std::string readTextFile(const std::string& path);

// A note on a file that is not 1618 bytes long, naming what the game makes of it: it refuses a
// shorter one and ignores what is past the settings in a longer one. Empty when the size is
// right.
std::string sizeNote(const std::string& path, std::uintmax_t fileSize);

// The settings file at `path` holding `bytes`, for writeFilesAtomically.
FileWrite settingsWrite(const std::string& path, const SettingsBytes& bytes);

// The 1618 bytes of a settings record, and back.
SettingsBytes encoded(const Settings& s);
Settings decoded(const SettingsBytes& bytes);
