// Reading the players' keys at start-up.
#pragma once

// Fills the run's keyBindings from the file `keys` in the working folder; without it every slot
// keeps its default keys. A file the game cannot use raises the keys error, which names the file,
// and each faulty line with its fault.
void loadKeyBindings();
