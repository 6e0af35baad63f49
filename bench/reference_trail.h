// The immediate-mode trail drawing the benchmark measures the game's own drawing against.
#pragma once

#include "game/players/player.h"

// Emits, inside glBegin(GL_QUADS), the textured piece of line from cross-section a to b.
void emitReferencePiece(const TrailPoint& a, const TrailPoint& b);

// A player's whole line as one glBegin/glEnd batch of quads: white while alive, else grey.
void drawTrailImmediate(const Player& player);
