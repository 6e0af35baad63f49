// One reset of everything the program keeps process-wide, for programs that start the game
// more than once or start from a known state: the tests, the headless runner, the benchmark.
#pragma once

// Releases the game's records in the order shutdown releases them (entity tables, the App and
// its timer, camera, players, textures), then puts every module's plain state back as a new
// process has it: settings and key bindings, window settings, key state and what holds each key,
// start-up's image ids and pattern paths, rounds and the SPACE latch, the intro's clock, the
// random state, the counters and the queued messages. The window and its GL context, when open,
// stay open, and so do the controllers plugged in, with their slots.
void resetProcessState();
