// A long six-player match through the game's own start-up, main-loop step and scenes, steered
// by a small driver that reads the collision map, to find the program's peak memory.
#pragma once

// Plays `frames` frames of 16 ms (18750 = five minutes) in the working folder and prints the
// peak resident memory; the game must not be started yet.
int runMemoryMatch(int frames);
