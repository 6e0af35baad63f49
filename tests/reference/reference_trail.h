// The immediate-mode trail drawing the benchmark and the tests hold the game's drawing to.
#pragma once

#include "game/players/player.h"

// A player's whole line as one glBegin/glEnd batch of quads: white while alive, else grey.
void drawTrailImmediate(const Player& player);
