// Reading the settings files at start-up: `config`, then `keys`.
#pragma once

#include "core/settings.h"

// Reads the file "config" in the working folder, made safe to play with; raises the config
// error.
Settings loadSettings();

// Fills the run's keyBindings from the file `keys` in the working folder; without it every slot
// keeps its default keys. A file the game cannot use raises the keys error, which names the file,
// and each faulty line with its fault.
void loadKeyBindings();
