// The player record with its trail of cross-sections, and the player table's operations.
#pragma once

#include <cstdint>
#include <vector>

#include "core/settings.h"
#include "game/frame_timer.h"
#include "gfx/texture_manager.h"

// One cross-section of a line: its edge and centre points and the edges' texture coordinates.
struct TrailPoint {
    double leftX, leftY;
    double centerX, centerY;
    double rightX, rightY;
    double leftS, leftT;
    double rightS, rightT;
};

// One corner of a trail quad as GL draws it: position and texture coordinate. The driver keeps
// vertices in single precision, so converting here draws exactly what glVertex2d would.
struct TrailVertex {
    float x, y;
    float s, t;
};

// The trail's quads in client-side arrays, four corners each: quad i runs point i left,
// i right, i + 1 right, i + 1 left. A point stays as it is once the head has moved past it, so
// a drawing rewrites only the quads of the head, which moves every frame, and of points added
// or rewritten since the last drawing. A newly placed line is all head.
struct TrailArrays {
    std::vector<TrailVertex> vertices;  // grows with the trail, never shrinks
    std::uint32_t pointsInStep = 0;     // points 0 to this - 1 are in the quads as they are now
};

struct Point {
    double x;
    double y;
};

struct Player {
    TextureId patternTexture = 0;
    std::uint32_t patternLength = 0;  // pixels of travel per repeat of the pattern
    std::vector<TrailPoint> trail;    // elements 0 to pointCount - 1 are in use
    double angle = 0.0;               // heading in degrees, never wrapped
    double velocityX = 0.0;
    double velocityY = 0.0;
    double speed = 0.0;
    std::uint32_t pointCount = 2;
    std::uint8_t turnLeft = 0;
    std::uint8_t turnRight = 0;
    double turnStepInterval = 0.0;  // milliseconds of steering between two turn steps
    double turnRate = 0.0;          // degrees per second
    double lineWidth = 0.0;
    double turnTime = 0.0;  // steering milliseconds accumulated since the last turn step
    std::uint8_t alive = 1;
    std::uint8_t fire = 0;
    std::uint16_t heldKind = 0;  // 0 nothing, 1 a rocket
    std::uint16_t score = 0;
    char name[kNameFieldSize] = {};
    FrameTimer* gapTimer = nullptr;  // time since the last gap
    std::uint8_t died = 0;           // set in the frame of death until the scores are settled
    TrailArrays trailArrays;         // what drawTrail sends; it keeps them in step with the trail
};

// Number of players that take part: the first playerCount entries of the table.
int activePlayerCount();

Player* createPlayer(TextureId patternTexture, double speed, double turnStepInterval,
                     double turnRate, double lineWidth);

// Restarts the line at (x, y) with the given heading in degrees.
void placePlayer(Player& player, double x, double y, double angle);

Point headLeftEdge(const Player& player);
Point headRightEdge(const Player& player);

// Turns the heading by `step` degrees and recomputes the velocity.
void setHeading(Player& player, double step);

// Rotates (x, y) in place about the pivot, counter-clockwise for positive degrees.
void rotateAbout(double& x, double& y, double pivotX, double pivotY, double degrees);

// Moves a cross-section's three points alike; its texture coordinates stay.
void translateTrailPoint(TrailPoint& point, double dx, double dy);

// Grows the trail in steps of 500 zero elements until it has at least `needed` elements.
void growTrailFor(Player& player, std::size_t needed);

// Tells the drawing that trail points from `first` on were added or rewritten; the head needs
// no telling.
void trailRewrittenFrom(Player& player, std::uint32_t first);

void destroyPlayer(Player* player);

// Releases every player of the table and empties it.
void destroyPlayers();
