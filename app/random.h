// The game's one random generator: values 0 to 32767, reduced by callers with the remainder.
#pragma once

#include <cstdint>

void seedRandom(std::uint32_t seed);
int nextRandom();
