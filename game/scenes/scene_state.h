// State the scenes share for the whole run.
#pragma once

#include <cstdint>

// Rounds started so far; raised by every round start, never lowered.
extern std::uint16_t roundCounter;

// 1 from the frame in which SPACE was acted upon until SPACE is released.
extern std::uint8_t spaceLatch;

// No rounds and an open latch, as before the first match.
void resetSceneState();

// True once per SPACE press: when SPACE is down and the latch was open (the latch then closes).
bool freshSpacePress();
