// Counting heap allocations made while the benchmark asks for it, split by who called: the
// game's own code (linked into the benchmark program) or a library such as the GL driver.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace alloc_counter {

// True when the global operator new and malloc of this program are replaced by counting ones.
bool available();

// Forgets every counted call.
void reset();

// Counts calls while on; calls made while off are not counted.
void setCounting(bool on);

struct Tally {
    std::size_t newCalls = 0;     // operator new, any form
    std::size_t mallocCalls = 0;  // malloc, calloc and realloc called directly
    std::size_t all() const { return newCalls + mallocCalls; }
};

Tally total();

// Calls made by the game's own code (the benchmark program's text).
Tally game();

// Counts per object file of the caller, from the first 65536 calls.
std::map<std::string, Tally> byObject();

// The game's own calls by requested size in bytes (the first 4096 of them).
std::map<std::size_t, std::size_t> gameCallsBySize();

}  // namespace alloc_counter
