// Placing a player: edge points, velocity, the reset trail, and the head's edges.
#include "game/players/player.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 6 px wide player at speed 100, placed at (100, 200) heading `angle` degrees.
Player placedAt(double angle) {
    Player player;
    player.lineWidth = 6;
    player.speed = 100;
    placePlayer(player, 100, 200, angle);
    return player;
}

void expectEdges(const Player& player, double lx, double ly, double rx, double ry) {
    EXPECT_NEAR(headLeftEdge(player).x, lx, 1e-9);
    EXPECT_NEAR(headLeftEdge(player).y, ly, 1e-9);
    EXPECT_NEAR(headRightEdge(player).x, rx, 1e-9);
    EXPECT_NEAR(headRightEdge(player).y, ry, 1e-9);
}

}  // namespace

TEST(PlayerPlacement, EdgesLieAcrossTheHeadingAndVelocityFollowsIt) {
    Player player = placedAt(0);
    expectEdges(player, 100, 203, 100, 197);
    EXPECT_NEAR(player.velocityX, 100, 1e-9);
    EXPECT_NEAR(player.velocityY, 0, 1e-9);

    player = placedAt(90);
    expectEdges(player, 97, 200, 103, 200);
    EXPECT_NEAR(player.velocityX, 0, 1e-9);
    EXPECT_NEAR(player.velocityY, 100, 1e-9);

    player = placedAt(30);
    expectEdges(player, 98.5, 200 + 1.5 * std::sqrt(3.0), 101.5, 200 - 1.5 * std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(player.trail[0].centerX, 100);
    EXPECT_DOUBLE_EQ(player.trail[0].centerY, 200);
    EXPECT_DOUBLE_EQ(player.angle, 30);
}

TEST(PlayerPlacement, ResetsALongTrailToTwoEqualPointsButKeepsScoreAndRocket) {
    Player player = placedAt(0);
    player.trail.resize(4000);
    player.pointCount = 3500;
    player.score = 7;
    player.heldKind = 1;
    placePlayer(player, 50, 60, 45);
    EXPECT_EQ(player.trail.size(), 1000u);
    EXPECT_EQ(player.pointCount, 2u);
    EXPECT_EQ(player.trail[0].leftX, player.trail[1].leftX);
    EXPECT_EQ(player.trail[0].rightY, player.trail[1].rightY);
    EXPECT_EQ(player.trail[0].centerX, player.trail[1].centerX);
    EXPECT_EQ(player.trail[0].leftT, 0.0);
    EXPECT_EQ(player.trail[0].rightS, 1.0);
    EXPECT_EQ(player.score, 7);
    EXPECT_EQ(player.heldKind, 1);
}

TEST(PlayerPlacement, HeadEdgesAreThoseOfTheLastPointInUse) {
    Player player = placedAt(0);
    player.trail[2] = TrailPoint{1, 2, 3, 4, 5, 6, 0, 0, 1, 0};
    player.pointCount = 3;
    expectEdges(player, 1, 2, 5, 6);
}
