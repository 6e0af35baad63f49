// One frame of a player: gap, fire, move, bounds and stencil probes, marking, turn step.
#pragma once

#include <cstdint>

#include "game/players/player.h"

// Advances one player by `frameTime` milliseconds; a death shows in `alive` and `died`.
void updatePlayer(Player& player, std::uint32_t gapInterval, std::uint32_t holeRadius,
                  std::uint32_t gapLength, double frameTime);

// Appends a jump of `length` pixels along the heading that is never marked.
void makeGap(Player& player, double length);
