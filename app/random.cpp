// A linear congruential generator whose results are bits 16 to 30 of the new state.
#include "app/random.h"

namespace {
std::uint32_t state = 1;
}

void seedRandom(std::uint32_t seed) {
    state = seed;
}

int nextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
