// Counting operator new calls made while the benchmark asks for it: all of them, and those made
// by the game's own code (linked into the benchmark program).
#pragma once

#include <cstddef>

namespace alloc_counter {

// False when the sanitizers' allocator stands in for the counting operator new.
bool available();
// Forgets every counted call.
void reset();
// Counts calls while on.
void setCounting(bool on);
std::size_t all();
std::size_t game();

}  // namespace alloc_counter
