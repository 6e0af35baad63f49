// The benchmark program's Google Benchmark registrations, in the order they run.
#pragma once

#include <cstdint>

// The frame benchmarks: the floor, an early two-player round, six players with long trails
// (cost per trail element fitted as O(N)), and the game's allocations in a straight round.
// `frames` > 0 fixes the number of measured frames (for callgrind) instead of a minimum time.
void registerFrameBenchmarks(int frames);

// Per six-player scene, the trails drawn by the game's drawTrail and by the immediate-mode
// reference after a check that both give the same pixels.
void registerDrawBenchmarks();

// Six computer players thinking on a crowded arena, each frame; the median and worst per player.
void registerComputerBenchmark();

// Start to first frame in fresh processes of this program, in the working folder.
void registerStartupBenchmark();

// The fresh process's side: starts the game, prints when each step ended and shuts down.
int startupChild(std::int64_t mainNs);

// Monotonic nanoseconds, comparable between processes.
std::int64_t monotonicNs();
