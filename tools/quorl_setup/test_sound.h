// The setup's "Test" button: one of the game's sounds, played as the game would at a volume.
#pragma once

#include <string>

// Plays the round's start from `folder`/system/sounds at `volume` (0 to 100); returns why it
// cannot, or an empty text. The audio device is opened at the first call and kept.
std::string playTestSound(const std::string& folder, int volume);
