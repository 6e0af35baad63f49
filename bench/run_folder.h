// The benchmark's surroundings: a scratch run folder, offscreen video and the hand-stepped clock.
#pragma once

#include <cstdint>
#include <string>

// A scratch folder holding a copy of the run folder's config and links to its images, the
// working folder while it lives; removed again however the run ends.
class ScratchRunFolder {
public:
    ScratchRunFolder();
    ~ScratchRunFolder();
    ScratchRunFolder(const ScratchRunFolder&) = delete;
    ScratchRunFolder& operator=(const ScratchRunFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Offscreen video, no X display: set before the first window is opened.
void useOffscreenVideo();

// Monotonic nanoseconds, comparable between processes.
std::int64_t monotonicNs();

// Moves the game's clock (a hand-stepped counter) by one 16 ms frame and sets the frame time.
void advanceFrame();
