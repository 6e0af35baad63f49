// The game's sound: each frame's reported sounds played through the platform, when the keys
// file's `sound` is on, at its `volume`.
#pragma once

// Opens the audio device and loads the effects from system/sounds/. Without a device, or with an
// effect that cannot be loaded, the game plays silently and says so once in errorlog.txt.
void startSound();

// Plays what the frame just run reported.
void playFrameSounds();

// Stops and releases the sound; nothing when it never started.
void stopSound();
