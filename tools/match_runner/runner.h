// A whole match run headless: the game's own start-up, scenes and frame step on an offscreen
// context, with a fixed seed, fixed frame time, scripted keys and scripted virtual controllers.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/match_runner/key_script.h"
#include "tools/match_runner/pad_script.h"

struct RunOptions {
    std::string folder = ".";  // the run folder: config, keys if any, system/, patterns/
    std::uint32_t seed = 1;
    double frameMs = 16.0;
    int frames = 600;  // at most this many frames; fewer when the match ends first
    std::vector<KeyEvent> keys;
    std::vector<PadEvent> pads;  // in frame order, checked by orderPadEvents
    std::string finalPng;        // the last frame, when not empty
    int every = 0;               // also every Nth frame, when above 0 ...
    std::string everyPrefix;     // ... as PREFIX-NNNNNN.png
    std::string audioFile;       // the match's sound as a WAV file, when not empty
};

// Runs the match and prints its summary; returns the game's own exit code (0, -1, -2, -3).
int runMatch(const RunOptions& options, std::ostream& summary);
