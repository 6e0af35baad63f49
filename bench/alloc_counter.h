// Counting operator new calls made while the benchmark asks for it: all of them, and those made
// by the game's own code (linked into the benchmark program).
#pragma once

#include <cstddef>

namespace alloc_counter {

// True when this program's global operator new is the counting one.
bool available();

// Forgets every counted call and starts or stops counting.
void reset();
void setCounting(bool on);

std::size_t all();
std::size_t game();

}  // namespace alloc_counter
