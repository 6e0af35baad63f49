// The frame scenarios: the floor, an early two-player round, six players with long trails,
// and the steady-state allocation count, measured on the game started by startUp().
#pragma once

#include <string>

// Measures every scenario and prints the table; the game must be started and on the bench clock.
void runFrameTable();

// Sets up one scenario ("a", "b", "c", "d", or a number: six players with that many trail
// elements each), runs a few frames to warm up, then `frames` frames through quorlBenchFrame,
// the one function a profiler should collect.
void runScenarioForProfile(const std::string& scenario, int frames);
