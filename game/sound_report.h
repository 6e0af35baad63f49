// Reporting a sound: the game's logic says what happened and where; nothing else changes.
#pragma once

#include "core/sound_events.h"

// Adds the event to this frame's sounds, placed by the arena's x at which it happened.
void reportSound(SoundKind kind, double x);

// Adds an event that belongs to the whole arena, heard in the middle.
void reportSound(SoundKind kind);
