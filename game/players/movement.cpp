// Moving a line through the stencil collision map: gaps, firing, probes, marking and turning.
#include "game/players/movement.h"

#include <GL/gl.h>

#include <cmath>

#include "game/arena.h"
#include "game/entities/rockets.h"
#include "game/players/trail_drawing.h"
#include "game/sound_report.h"
#include "gfx/angles.h"
#include "gfx/image_names.h"
#include "gfx/stencil.h"

namespace {

constexpr double kProbeOffset = 1.5;
constexpr double kRocketOffset = 4.5;

// Positive when the velocity component is zero or positive, negative otherwise.
double bySign(double velocity, double offset) {
    return velocity >= 0.0 ? offset : -offset;
}

// The unit direction of travel. A line with speed 0 still has its heading, which gaps and
// rockets follow: velocity / speed would be 0 / 0 and put NaN into trails and rockets.
Point travelDirection(const Player& player) {
    if (player.speed == 0.0) {
        const double a = radians(player.angle);
        return {std::cos(a), std::sin(a)};
    }
    return {player.velocityX / player.speed, player.velocityY / player.speed};
}

// Appends a copy of the head and returns its index; the caller finishes the pair.
std::uint32_t appendHeadCopy(Player& player) {
    growTrailFor(player, player.pointCount + 2);
    const std::uint32_t n = player.pointCount;
    player.trail[n] = player.trail[n - 1];
    // The head copied may have been put anywhere since the last drawing, not only moved on.
    trailRewrittenFrom(player, n - 1);
    return n;
}

void finishPair(Player& player, std::uint32_t n) {
    player.trail[n + 1] = player.trail[n];
    player.pointCount = n + 2;
}

void markPiece(const TrailPoint& a, const TrailPoint& b) {
    glBegin(GL_QUADS);
    emitPiece(a, b);
    glEnd();
}

void enterMarkingState(const Player& player) {
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    beginStencilStamp(1);
}

void fireHeldRocket(Player& player, double holeRadius) {
    const TrailPoint& head = player.trail[player.pointCount - 1];
    const double startX = head.centerX + bySign(player.velocityX, kRocketOffset);
    const double startY = head.centerY + bySign(player.velocityY, kRocketOffset);
    const TextureId hole = loadTexture(kHoleImage);
    const TextureId rocket = loadTexture(kRocketImage);
    const Point direction = travelDirection(player);
    spawnRocket(startX, startY, rocket, hole, direction.x, direction.y, holeRadius);
    reportSound(SoundKind::rocket, startX);
    player.heldKind = 0;
}

bool probeHits(double x, double y, double ox, double oy) {
    return readStencil(static_cast<int>(x + ox + 0.5), static_cast<int>(y + oy + 0.5)) != 0.0f;
}

void kill(Player& player) {
    reportSound(SoundKind::crash, player.trail[player.pointCount - 1].centerX);
    player.alive = 0;
    player.died = 1;
}

// Rotates the new cross-section about its inner edge and marks the wedge swept outside.
void turnStep(Player& player, double frameTime) {
    player.turnTime += frameTime;
    if (player.turnTime < player.turnStepInterval) return;
    const bool left = player.turnLeft != 0;
    const double step = (left ? 1.0 : -1.0) * player.turnTime / 1000.0 * player.turnRate;
    const std::uint32_t n = appendHeadCopy(player);
    TrailPoint& p = player.trail[n];
    if (left) {
        rotateAbout(p.centerX, p.centerY, p.leftX, p.leftY, step);
        rotateAbout(p.rightX, p.rightY, p.leftX, p.leftY, step);
    } else {
        rotateAbout(p.centerX, p.centerY, p.rightX, p.rightY, step);
        rotateAbout(p.leftX, p.leftY, p.rightX, p.rightY, step);
    }
    markPiece(player.trail[n - 1], p);
    finishPair(player, n);
    setHeading(player, step);
    player.turnTime = 0.0;
}

}  // namespace

void makeGap(Player& player, double length) {
    const std::uint32_t n = appendHeadCopy(player);
    const Point direction = travelDirection(player);
    translateTrailPoint(player.trail[n], direction.x * length, direction.y * length);
    finishPair(player, n);
}

void updatePlayer(Player& player, std::uint32_t gapInterval, std::uint32_t holeRadius,
                  std::uint32_t gapLength, double frameTime) {
    if (player.pointCount >= player.trail.size()) growTrailFor(player, player.trail.size() + 1);
    if (player.alive == 0) return;
    enterMarkingState(player);

    if (gapInterval != 0 && player.gapTimer->elapsedSeconds() >= gapInterval) {
        makeGap(player, gapLength);
        player.gapTimer->restart();
    }
    if (player.fire != 0 && player.heldKind == 1) fireHeldRocket(player, holeRadius);

    const std::uint32_t h = player.pointCount - 1;
    const double dt = frameTime / 1000.0;
    TrailPoint next = player.trail[h];
    translateTrailPoint(next, player.velocityX * dt, player.velocityY * dt);
    const double du = dt * player.speed / player.patternLength;
    next.leftT += du;
    next.rightT += du;

    if (outsideArena(next.leftX, next.leftY) || outsideArena(next.rightX, next.rightY)) {
        kill(player);
    } else {
        // Probes look 1.5 pixels beyond the new edges, before this frame's piece is marked,
        // so a line running straight never meets its own fresh piece.
        const double ox = bySign(player.velocityX, kProbeOffset);
        const double oy = bySign(player.velocityY, kProbeOffset);
        if (probeHits(next.leftX, next.leftY, ox, oy) ||
            probeHits(next.rightX, next.rightY, ox, oy))
            kill(player);
    }
    markPiece(player.trail[h], next);
    player.trail[h] = next;

    if ((player.turnLeft != 0 || player.turnRight != 0) && player.alive == 1)
        turnStep(player, frameTime);
    endStencilStamp();
}
