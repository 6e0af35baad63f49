// The Players part of the setup window: a row per player with its name, colour, who steers it
// and its keys.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/bindings.h"
#include "tools/quorl_setup/pattern_files.h"
#include "tools/quorl_setup/pattern_preview.h"
#include "tools/quorl_setup/setup_model.h"

struct PlayersView {
    SetupModel& model;
    PatternPreviews& previews;
    const PatternFiles& patterns;
    // The names of the connected controllers, in the order they were connected.
    const std::vector<std::string>& controllers;
    // The key whose button was clicked: the next key pressed binds it.
    std::optional<KeyHolder>& capture;
};

void drawPlayersPanel(PlayersView& view);
