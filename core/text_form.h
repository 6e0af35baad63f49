// The settings as an INI-like text and back; the pair reproduces every byte of any file.
#pragma once

#include <optional>
#include <string>

#include "core/keys_file.h"
#include "core/settings_file.h"

// The whole settings as text with a comment on each setting, each slot with its keys and who
// steers it, and the sound settings; those go to the keys file when it is imported. Stored
// values that the named settings cannot express (non-zero reserved bytes, odd flag bytes, a
// player count that differs from the enabled slots, names and patterns that are not plain text)
// go in a [raw] section.
std::string exportText(const SettingsBytes& bytes, const TextSettings& keys = TextSettings{});

struct ImportedText {
    SettingsBytes bytes{};
    // When the text gives any setting of the keys file: those, the defaults elsewhere.
    std::optional<TextSettings> keys;
};

// Reads a text as exportText writes it, or as edited by hand; a setting left out takes its
// default. Throws ConfigError listing every problem as "SOURCE:LINE: message", those of the keys
// too (as the game refuses them in a keys file).
ImportedText importSettingsText(const std::string& text, const std::string& source);

// The settings of importSettingsText alone.
SettingsBytes importText(const std::string& text, const std::string& source);
