// How a computer player chooses its keys: pure logic over what every player sees (the collision
// map, the heads and their headings, held rockets) and the settings, with no GL and no game
// state, so that it can be tried on any situation.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/keys_file.h"

// The collision map as the stencil holds it: `size` x `size` arena pixels, row by row from
// y = 0, non-zero where a line is.
struct CollisionMap {
    const std::uint8_t* pixels = nullptr;
    int size = 0;

    bool marked(double x, double y) const;
};

// A line's head as everyone sees it.
struct HeadView {
    double x = 0.0, y = 0.0;
    double angle = 0.0;  // degrees, counter-clockwise from +x
    bool alive = false;
};

// What the thinking player knows of itself and the rules.
struct SelfView {
    HeadView head;
    double speed = 0.0;      // pixels per second
    double turnRate = 0.0;   // degrees per second
    double lineWidth = 0.0;  // pixels
    double gapLength = 0.0;  // pixels skipped at a gap
    double gapInterval = 0.0;  // seconds between gaps, 0 for none
    double sinceGap = 0.0;     // seconds since the last gap
    bool holdsRocket = false;
};

// The keys a computer player holds for a frame.
struct KeyChoice {
    bool left = false;
    bool right = false;
    bool fire = false;
};

// How a level plays: how far ahead it looks, how often it looks again, how often it slips.
struct LevelTraits {
    int lookAheadFrames;
    int framesBetweenThoughts;
    double slipChance;  // of holding a random turn for a thought instead of the chosen one
};

LevelTraits levelTraits(ComputerLevel level);

// The scratch memory of one player's thinking, made once and reused every frame.
class Brain {
public:
    Brain(ComputerLevel level, std::uint32_t seed);

    // The keys for this frame. `others` are the other players' heads; `frameTime` is the
    // frame's length in milliseconds.
    KeyChoice think(const CollisionMap& map, const SelfView& self,
                    const std::vector<HeadView>& others, double frameTime);

private:
    // One way to hold the turn keys over the look-ahead: `first` until frame `switchAt`, then
    // `second` (+1 left, 0 straight on, -1 right).
    struct Plan {
        int first, switchAt, second;
    };
    // Another head's way on if it kept its heading: where it is, its step per frame, and for
    // how many frames it would live.
    struct Track {
        double x, y, dx, dy;
        int frames;
    };
    // How many frames the line lives on `plan`, at most the look-ahead; `path` gets the head's
    // place after each frame lived.
    int survivedFrames(const CollisionMap& map, const SelfView& self, const Plan& plan,
                       double dt, std::vector<float>& path) const;
    bool crossesTrack(double x, double y, int frame, double reach) const;
    void predictTracks(const CollisionMap& map, const SelfView& self,
                       const std::vector<HeadView>& others, double dt);
    // Marks the coarse cells a line or the arena's edge holds, once per thought.
    void markBlockedCells(const CollisionMap& map);
    // The cells the line reaches before any other head from the end of `path`, `frames` from
    // now: its own path is blocked behind it, and the others set out from where their tracks
    // have taken them by then.
    int ownSpace(const std::vector<float>& path, int frames);
    bool rocketWorthFiring(const CollisionMap& map, const SelfView& self,
                           const std::vector<HeadView>& others, bool trapped) const;

    LevelTraits traits_;
    std::mt19937 random_;
    int framesToNextThought_ = 0;
    KeyChoice held_;
    int cells_ = 0;  // the coarse grid's side
    std::vector<std::int8_t> blocked_;  // the space count's cells before a plan is tried
    // The space count's wave: which side reached each cell first.
    std::vector<std::int8_t> reachedBy_;
    std::vector<int> queue_;
    std::vector<Track> tracks_;
    std::vector<float> trial_;        // the path of the plan being tried
    std::vector<float> bestPaths_[3];  // the longest-lived path for each first turn
};
