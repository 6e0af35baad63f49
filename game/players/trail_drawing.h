// Drawing a player's whole line where the stencil is marked.
#pragma once

#include "game/players/player.h"

// Emits, inside glBegin(GL_QUADS), the piece of line from cross-section a to b: counter-clockwise
// for forward travel, each vertex with its texture coordinate.
void emitPiece(const TrailPoint& a, const TrailPoint& b);

// White for a living line, half brightness for a dead one; one draw of the line's quads, the
// same as emitPiece would send them, from the arrays beside the trail, which it brings up to date.
void drawTrail(Player& player);
