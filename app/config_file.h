// Reading the settings files at start-up: `config`, then `keys`.
#pragma once

#include "core/settings.h"

// Reads the file "config" in the working folder, made safe to play with; raises the config
// error.
Settings loadSettings();

// Takes the run's keys, computer players and sound from the file `keys` in the working folder;
// without it every slot keeps its default keys, people steer every slot and the sound is on. A
// file the game cannot use raises the keys error, which names the file, and each faulty line with
// its fault.
void loadKeysFile();
