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
    // How many frames the line lives when it holds `first` for half the look-ahead and then
    // `second`, at most the look-ahead.
    int survivedFrames(const CollisionMap& map, const SelfView& self, int first, int second,
                       double frameTime, double& endX, double& endY) const;
    // The share of the arena (in coarse cells) the line reaches from (x, y) before any other head.
    int ownSpace(const CollisionMap& map, double x, double y,
                 const std::vector<HeadView>& others);
    bool rocketWorthFiring(const CollisionMap& map, const SelfView& self,
                           const std::vector<HeadView>& others, bool trapped) const;

    LevelTraits traits_;
    std::mt19937 random_;
    int framesToNextThought_ = 0;
    KeyChoice held_;
    // Coarse cells for the space count: the distance wave of each side, reused.
    std::vector<std::int32_t> reachedBy_;
    std::vector<int> queue_;
    std::vector<HeadView> dangers_;  // where other heads will be soon, as points
};
