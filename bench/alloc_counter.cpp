// Replacement global operator new/delete and malloc, calloc and realloc that count the calls
// made while counting is on and remember who called. They forward to glibc's own allocator,
// so memory from either side may be freed by the other.
#include "bench/alloc_counter.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

// The program's own code lies between these two linker-provided symbols.
extern "C" char __executable_start;
extern "C" char etext;

namespace {

struct Call {
    const void* caller;
    std::size_t size;
    bool viaNew;
};

constexpr std::size_t kMaxCalls = 1 << 16;
constexpr std::size_t kMaxGameCalls = 4096;
Call calls[kMaxCalls];
Call gameCalls[kMaxGameCalls];
std::atomic<bool> counting{false};
std::atomic<std::size_t> callCount{0};
std::atomic<std::size_t> gameCallCount{0};
std::atomic<std::size_t> counts[2][2];  // [game][viaNew]

bool inGame(const void* address) {
    const char* p = static_cast<const char*>(address);
    return p >= &__executable_start && p < &etext;
}

// Rasteriser threads allocate too, so slots are claimed atomically.
inline void note(const void* caller, std::size_t size, bool viaNew) {
    if (!counting.load(std::memory_order_relaxed)) return;
    const bool game = inGame(caller);
    counts[game][viaNew].fetch_add(1, std::memory_order_relaxed);
    const std::size_t slot = callCount.fetch_add(1, std::memory_order_relaxed);
    if (slot < kMaxCalls) calls[slot] = Call{caller, size, viaNew};
    if (game) {
        const std::size_t gameSlot = gameCallCount.fetch_add(1, std::memory_order_relaxed);
        if (gameSlot < kMaxGameCalls) gameCalls[gameSlot] = Call{caller, size, viaNew};
    }
}

std::string objectOf(const void* address) {
    if (inGame(address)) return "game code (quorl_bench)";
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return "(unknown)";
    std::string name = info.dli_fname;
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return name;
}

std::size_t recorded(const std::atomic<std::size_t>& count, std::size_t capacity) {
    return count.load() < capacity ? count.load() : capacity;
}

}  // namespace

#ifndef QUORL_BENCH_NO_ALLOC_HOOKS

namespace {

void* allocateOrThrow(std::size_t size) {
    if (void* p = __libc_malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (void* p = __libc_memalign(static_cast<std::size_t>(alignment), size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    note(__builtin_return_address(0), size, true);
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    note(__builtin_return_address(0), size, true);
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    note(__builtin_return_address(0), size, true);
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    note(__builtin_return_address(0), size, true);
    return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    note(__builtin_return_address(0), size, true);
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    note(__builtin_return_address(0), size, true);
    return allocateAligned(size, alignment);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

extern "C" void* malloc(std::size_t size) noexcept {
    note(__builtin_return_address(0), size, false);
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size) noexcept {
    note(__builtin_return_address(0), count * size, false);
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* pointer, std::size_t size) noexcept {
    note(__builtin_return_address(0), size, false);
    return __libc_realloc(pointer, size);
}

#endif

namespace alloc_counter {

bool available() {
#ifdef QUORL_BENCH_NO_ALLOC_HOOKS
    return false;
#else
    return true;
#endif
}

void reset() {
    callCount.store(0);
    gameCallCount.store(0);
    for (auto& byKind : counts) {
        for (auto& count : byKind) count.store(0);
    }
}

void setCounting(bool on) {
    counting.store(on);
}

Tally total() {
    return {counts[0][1].load() + counts[1][1].load(), counts[0][0].load() + counts[1][0].load()};
}

Tally game() {
    return {counts[1][1].load(), counts[1][0].load()};
}

std::map<std::string, Tally> byObject() {
    std::map<std::string, Tally> tallies;
    const std::size_t n = recorded(callCount, kMaxCalls);
    for (std::size_t i = 0; i < n; ++i) {
        Tally& tally = tallies[objectOf(calls[i].caller)];
        ++(calls[i].viaNew ? tally.newCalls : tally.mallocCalls);
    }
    return tallies;
}

std::map<std::size_t, std::size_t> gameCallsBySize() {
    std::map<std::size_t, std::size_t> sizes;
    const std::size_t n = recorded(gameCallCount, kMaxGameCalls);
    for (std::size_t i = 0; i < n; ++i) ++sizes[gameCalls[i].size];
    return sizes;
}

}  // namespace alloc_counter
