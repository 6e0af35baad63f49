// Shared test support: scratch folders, the offscreen GL context, a clean game world, pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "app/settings.h"

// A new empty folder under the system's temporary folder.
std::filesystem::path makeScratchFolder(const std::string& stem);

// Links the repository's system/ and patterns/ folders into `folder`.
void linkImages(const std::filesystem::path& folder);

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Opens the 1024 x 768 offscreen context once for the whole test program.
class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// Two players (slots 0 and 5), no gaps, no pickups, a score limit of 5: a small, known match.
Settings matchSettings();

// Every test starts from nothing: no players, entities, textures, keys, rounds or latch.
void resetWorld();

// Starts the game with these settings: the same start-up as the program's, then no rounds.
void startGame(const Settings& s);

// Reads back the stencil value and the colour of one window pixel.
int stencilAt(int x, int y);
struct Rgba {
    int r, g, b, a;
};
Rgba colorAt(int x, int y);

// Saves the colour buffer as a PNG for a person to look at; returns its path.
std::string saveFrame(const std::string& name);

// A GL test starts from a clean world on the shared context and tears it down afterwards.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void TearDown() override { resetWorld(); }
};

// A counter the test moves by hand: `now` ticks at `frequency` ticks per second. One fake
// exists at a time, since the counter functions are plain function pointers.
struct FakeCounter {
    explicit FakeCounter(std::uint64_t ticksPerSecond);
    ~FakeCounter();
    const CounterSource& source() const;
    std::uint64_t now = 0;
    std::uint64_t frequency;
};

// Writes `s` as the `config` file of the working folder, where the App record reads it.
void writeConfig(const Settings& s);

// Counts the pixels of the window rectangle x0 <= x < x1, y0 <= y < y1 whose red, green and
// blue all lie between `low` and `high`.
int countPixels(int x0, int y0, int x1, int y1, int low, int high);
