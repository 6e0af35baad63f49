// Creating, placing and releasing players, and the small geometry the movement uses.
#include "game/players/player.h"

#include <algorithm>
#include <cmath>

#include "game/world.h"
#include "gfx/angles.h"

namespace {
constexpr std::size_t kTrailSizeAtPlacement = 1000;
constexpr std::size_t kTrailGrowth = 500;
}  // namespace

int activePlayerCount() {
    return world->settings.playerCount;
}

Player* createPlayer(TextureId patternTexture, double speed, double turnStepInterval,
                     double turnRate, double lineWidth) {
    auto* player = new Player;
    player->patternTexture = patternTexture;
    player->patternLength = static_cast<std::uint32_t>(textureRecord(patternTexture).height);
    player->speed = speed;
    player->turnStepInterval = turnStepInterval;
    player->turnRate = turnRate;
    player->lineWidth = lineWidth;
    player->gapTimer = new FrameTimer{};
    player->gapTimer->restart();
    return player;
}

void rotateAbout(double& x, double& y, double pivotX, double pivotY, double degrees) {
    const double dx = x - pivotX;
    const double dy = y - pivotY;
    const double a = radians(degrees);
    x = pivotX + dx * std::cos(a) - dy * std::sin(a);
    y = pivotY + dx * std::sin(a) + dy * std::cos(a);
}

void placePlayer(Player& player, double x, double y, double angle) {
    player.angle = angle;
    double leftX = x, leftY = y + player.lineWidth * 0.5;
    double rightX = x, rightY = y + player.lineWidth * -0.5;
    rotateAbout(leftX, leftY, x, y, angle);
    rotateAbout(rightX, rightY, x, y, angle);
    player.trail.clear();
    player.trail.resize(kTrailSizeAtPlacement);
    player.trail[0] = TrailPoint{leftX, leftY, x, y, rightX, rightY, 0.0, 0.0, 1.0, 0.0};
    player.trail[1] = player.trail[0];
    const double a = radians(angle);
    player.velocityX = std::cos(a) * player.speed;
    player.velocityY = std::sin(a) * player.speed;
    player.pointCount = 2;
}

Point headLeftEdge(const Player& player) {
    const TrailPoint& head = player.trail[player.pointCount - 1];
    return {head.leftX, head.leftY};
}

Point headRightEdge(const Player& player) {
    const TrailPoint& head = player.trail[player.pointCount - 1];
    return {head.rightX, head.rightY};
}

void setHeading(Player& player, double step) {
    player.angle += step;
    const double a = radians(player.angle);
    player.velocityX = std::cos(a) * player.speed;
    player.velocityY = std::sin(a) * player.speed;
}

void translateTrailPoint(TrailPoint& p, double dx, double dy) {
    p.leftX += dx;
    p.leftY += dy;
    p.centerX += dx;
    p.centerY += dy;
    p.rightX += dx;
    p.rightY += dy;
}

void growTrailFor(Player& player, std::size_t needed) {
    while (player.trail.size() < needed) player.trail.resize(player.trail.size() + kTrailGrowth);
}

void trailRewrittenFrom(Player& player, std::uint32_t first) {
    player.trailArrays.pointsInStep = std::min(player.trailArrays.pointsInStep, first);
}

void destroyPlayer(Player* player) {
    if (player == nullptr) return;
    delete player->gapTimer;
    delete player;
}

void destroyPlayers() {
    // Every created player goes, also those beyond playerCount that never took part.
    for (Player*& player : world->players) {
        destroyPlayer(player);
        player = nullptr;
    }
}
