// The settings as an INI-like text and back; the pair reproduces every byte of any file.
#pragma once

#include <optional>
#include <string>

#include "core/bindings.h"
#include "core/settings_file.h"

// The whole settings as text with a comment on each setting, each slot with its keys. Stored
// values that the named settings cannot express (non-zero reserved bytes, odd flag bytes, a
// player count that differs from the enabled slots, names and patterns that are not plain text)
// go in a [raw] section.
std::string exportText(const SettingsBytes& bytes, const Bindings& keys = kDefaultBindings);

struct ImportedText {
    SettingsBytes bytes{};
    std::optional<Bindings> keys;  // when the text gives any key: those, the defaults elsewhere
};

// Reads a text as exportText writes it, or as edited by hand; a setting left out takes its
// default. Throws ConfigError listing every problem as "SOURCE:LINE: message", those of the keys
// too (as the game refuses them in a keys file).
ImportedText importSettingsText(const std::string& text, const std::string& source);

// The settings of importSettingsText alone.
SettingsBytes importText(const std::string& text, const std::string& source);
