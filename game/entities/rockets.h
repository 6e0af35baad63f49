// Rockets: straight flight at 400 px/s, one stencil sample per frame, holes blasted on a hit.
#pragma once

#include "gfx/texture_manager.h"

void spawnRocket(double startX, double startY, TextureId texture, TextureId holeTexture,
                 double dirX, double dirY, double holeRadius);

// Moves, tests and draws every rocket; `frameTime` in milliseconds.
void updateRockets(double frameTime);

void removeDeadRockets();
