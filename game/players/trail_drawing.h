// Drawing a player's whole line where the stencil is marked.
#pragma once

#include "game/players/player.h"

// Emits, inside glBegin(GL_QUADS), the piece of line from cross-section a to b: counter-clockwise
// for forward travel, each vertex with its texture coordinate.
void emitPiece(const TrailPoint& a, const TrailPoint& b);

// White for a living line, half brightness for a dead one; one batch of quads per line.
void drawTrail(const Player& player);
