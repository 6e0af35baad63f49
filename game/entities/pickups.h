// Pickups: rocket tokens scattered over the arena and collected by passing line heads.
#pragma once

#include <cstdint>

#include "gfx/texture_manager.h"

void addPickup(double x, double y, TextureId texture);

// Pickups of kind 1 lying on the arena.
std::uint16_t countPickups();

void drawPickups();
void removeCollectedPickups();

// One frame of a running round: spawn at most one pickup, collect, remove the collected.
void runPickupStep();
