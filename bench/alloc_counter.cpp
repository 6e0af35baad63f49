// A global operator new that counts its calls while counting is on, telling the game's own
// code (the program's text) from libraries such as the GL driver by the caller's address.
#include "bench/alloc_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The program's own code lies between these two linker-provided symbols.
extern "C" char __executable_start;
extern "C" char etext;

namespace {

// Rasteriser threads allocate too, hence the atomics.
std::atomic<bool> counting{false};
std::atomic<std::size_t> allCalls{0}, gameCalls{0};

[[maybe_unused]] void* countedAllocation(std::size_t size, const void* caller) {
    if (counting.load(std::memory_order_relaxed)) {
        allCalls.fetch_add(1, std::memory_order_relaxed);
        const char* address = static_cast<const char*>(caller);
        if (address >= &__executable_start && address < &etext)
            gameCalls.fetch_add(1, std::memory_order_relaxed);
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

#ifdef QUORL_BENCH_NO_ALLOC_HOOKS
bool alloc_counter::available() {
    return false;
}
#else
bool alloc_counter::available() {
    return true;
}
// The default operator delete frees with std::free, which matches std::malloc here.
void* operator new(std::size_t size) {
    return countedAllocation(size, __builtin_return_address(0));
}
void* operator new[](std::size_t size) {
    return countedAllocation(size, __builtin_return_address(0));
}
#endif

void alloc_counter::reset() {
    allCalls.store(0);
    gameCalls.store(0);
}

void alloc_counter::setCounting(bool on) {
    counting.store(on);
}

std::size_t alloc_counter::all() {
    return allCalls.load();
}

std::size_t alloc_counter::game() {
    return gameCalls.load();
}
