// Drawing a player's whole line where the stencil is marked.
#pragma once

#include "game/players/player.h"

// White for a living line, half brightness for a dead one; one batch of quads per line.
void drawTrail(const Player& player);
