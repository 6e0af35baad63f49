// Reading the settings file as the game does, and replacing files atomically.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/settings.h"

using SettingsBytes = std::array<std::uint8_t, kSettingsFileSize>;

struct SettingsFile {
    SettingsBytes bytes{};        // the first 1618 bytes, zero where the file is shorter
    std::uintmax_t fileSize = 0;  // the size on disk
};

// Reads `path` as the game does: missing bytes are 0, bytes past 1618 are ignored. Throws
// ConfigError when the file can't be read.
SettingsFile readSettingsFile(const std::string& path);

// Reads a whole text file; throws ConfigError when it can't be read.
std::string readTextFile(const std::string& path);

// A note on a file that is not 1618 bytes long, naming what the game makes of it; empty when
// the size is right.
std::string sizeNote(const std::string& path, std::uintmax_t fileSize);

// Replaces `path` with `data` so that a reader sees either the old or the new content: writes a
// temporary file in the same folder, syncs it and renames it over `path`. An existing file keeps
// its permissions. Throws ConfigError and leaves the old file alone when any step fails.
void writeFileAtomically(const std::string& path, const std::string& data);

void writeSettingsFile(const std::string& path, const SettingsBytes& bytes);
