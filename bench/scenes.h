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

// Throws when a player has died: the scene no longer measures what it says.
void checkEveryoneAlive();

// Moves the game's clock (a hand-stepped counter) by one 16 ms frame and sets the frame time.
void advanceFrame();

// Total trail elements in use over the players taking part.
std::uint64_t trailElementsInUse();

// The state a frame changes, so that every measured frame starts from the same scene: the
// players' records and their heads (the trails themselves stay where they are), the pickups and
// the rockets. The gap timers run on: a gap opens every few seconds of game time, as in play.
struct WorldSnapshot {
    std::vector<Player> players;  // without their trails
    std::vector<TrailPoint> heads;
    std::vector<std::optional<Pickup>> pickups;
    std::vector<std::optional<Rocket>> rockets;
};

WorldSnapshot takeSnapshot();
void restoreSnapshot(const WorldSnapshot& snapshot);
