// Long six-player matches through the game's own start-up, main-loop step and scenes, steered
// by a small driver that reads the collision map, to find the program's peak memory.
#pragma once

// Plays `frames` frames of 16 ms (18750 = five minutes) in the working folder and prints the
// peak resident memory; the game must not be started yet. A `lingering` match leaves about
// half its frames to the intro and the round-over banner, frames that read nothing back.
int runMemoryMatch(int frames, bool lingering);
