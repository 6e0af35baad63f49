// Shared test support: scratch folders, the offscreen GL context, a clean game world, pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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
