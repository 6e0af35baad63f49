// The square playing field: its size in pixels and the test for leaving it.
#pragma once

// The field runs from 0 to kArenaSize on both axes; the score panel lies to its right.
constexpr double kArenaSize = 768.0;

// True when (x, y) lies outside the field shrunk by `margin` pixels on every side.
inline bool outsideArena(double x, double y, double margin = 0.0) {
    return x < margin || x > kArenaSize - margin || y < margin || y > kArenaSize - margin;
}
