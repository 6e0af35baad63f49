// Degrees, in which the game keeps every heading and camera angle, and radians for the maths.
#pragma once

constexpr double kPi = 3.141592653589793;

inline double radians(double degrees) {
    return degrees * kPi / 180.0;
}
