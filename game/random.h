// The game's one random generator: values 0 to 32767, reduced by callers with the remainder.
#pragma once

#include <cstdint>

// The generator's state; a new run's is 1 until start-up seeds it.
struct Random {
    std::uint32_t state = 1;
};

void seedRandom(std::uint32_t seed);
int nextRandom();
