// The benchmark's scenes, set up on the running game: the early two-player round, six players
// with long trails, a straight two-player round; and the snapshot that puts a scene back.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/entities/entity_tables.h"
#include "game/players/player.h"

// Two players of the default config, a fresh round, a few frames in, both alive.
void setUpEarlyRound();

// Six players with `elements` trail elements each, 20 pickups lying and four rockets in flight;
// every head and rocket has room to live through a frame. Built once per size, then put back.
void showCrowd(std::uint32_t elements);

// Two players side by side running straight, pickups off, a few frames in.
void setUpStraightRound();

// Runs frames of the round as it is, advancing the clock, without restoring anything.
void playFrames(int count);

// Throws, naming `scene`, when a player has died: the scene no longer measures what it says.
void checkEveryoneAlive(const char* scene);

// Total trail elements in use over the players taking part.
std::uint64_t trailElementsInUse();

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
