// The benchmark's game world: a scratch run folder, the hand-stepped clock, the game's own
// start-up, scenes set up with many players and long trails, and snapshots that put a scene
// back the way it was between two measured frames.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "game/entities/entity_tables.h"
#include "game/players/player.h"

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

// The game's timers read this clock from now on; it moves only through advanceClock.
void useBenchClock();
void advanceClock(double milliseconds);

// Monotonic nanoseconds, comparable between processes.
std::int64_t monotonicNs();

// Enables exactly these slots of the running settings (keeping their names and patterns) and
// creates the players anew.
void recreatePlayers(std::initializer_list<int> slots);

// For each player taking part, a curvy line of `elements` cross-sections inside the arena from
// random seed firstSeed + its index, moved, turned and gapped by the game's own updatePlayer and
// makeGap, then marked into the stencil but for its gaps; left alive and steering straight.
void buildTrails(std::uint32_t elements, std::uint32_t firstSeed);

// Clears the stencil in a square of side 2 * half around (x, y).
void clearStencilAround(double x, double y, double half);

// The state a frame changes, so that every measured frame starts from the same scene. The gap
// timers run on: a gap opens every few seconds of game time, as in play.
struct WorldSnapshot {
    struct PlayerState {
        TrailPoint head;
        std::uint32_t pointCount;
        std::uint8_t alive;
        double angle, velocityX, velocityY, turnTime;
        std::uint16_t heldKind, score;
    };
    std::vector<PlayerState> players;
    std::vector<std::optional<Pickup>> pickups;
    std::vector<std::optional<Rocket>> rockets;
};

WorldSnapshot takeSnapshot();
void restoreSnapshot(const WorldSnapshot& snapshot);

// Total trail elements in use over the players taking part.
std::uint64_t trailElementsInUse();
