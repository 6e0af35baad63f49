// The player record with its trail of cross-sections, and the player table's operations.
#pragma once

#include <cstdint>
#include <vector>

#include "app/frame_timer.h"
#include "app/settings.h"
#include "gfx/texture_manager.h"

// One cross-section of a line: its edge and centre points and the edges' texture coordinates.
struct TrailPoint {
    double leftX, leftY;
    double centerX, centerY;
    double rightX, rightY;
    double leftS, leftT;
    double rightS, rightT;
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

void destroyPlayer(Player* player);

// Releases every player of the table and empties it.
void destroyPlayers();
