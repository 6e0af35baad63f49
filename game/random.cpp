// A linear congruential generator whose results are bits 16 to 30 of the new state.
#include "game/random.h"

#include "game/world.h"

void seedRandom(std::uint32_t seed) {
    world->random.state = seed;
}

int nextRandom() {
    std::uint32_t& state = world->random.state;
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
