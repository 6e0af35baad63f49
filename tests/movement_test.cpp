// Moving lines through the stencil: steps, probes, turns, gaps, collisions and trail growth.
#include "game/players/movement.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/context.h"
#include "app/window.h"
#include "game/entities/rockets.h"
#include "game/players/controls.h"
#include "game/players/trail_drawing.h"
#include "game/scenes/round_start.h"
#include "tests/support.h"

namespace {

// A started game in its first round, with both gap timers on a counter the test moves.
class Movement : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startGame(matchSettings());
        for (int i = 0; i < 2; ++i) {
            world->players[i]->gapTimer->counter = &clock.source();
            world->players[i]->gapTimer->restart();
        }
        startRound();
    }

    static Player& red() { return *world->players[0]; }
    static Player& cyan() { return *world->players[1]; }

    // Puts a living player at (x, y) on a cleared stencil.
    static void restart(Player& player, double x, double y, double heading) {
        glClear(GL_STENCIL_BUFFER_BIT);
        placePlayer(player, x, y, heading);
        player.alive = 1;
        player.died = 0;
    }

    static void run(Player& player, int frames, std::uint32_t gapInterval = 0,
                    double frameTime = 16) {
        for (int i = 0; i < frames; ++i) updatePlayer(player, gapInterval, 16, 20, frameTime);
    }

    FakeCounter clock{1000};
};

void expectPoint(Point p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-3);
    EXPECT_NEAR(p.y, y, 1e-3);
}

void expectCentre(const TrailPoint& p, double x, double y) {
    expectPoint({p.centerX, p.centerY}, x, y);
}

}  // namespace

TEST_F(Movement, AStepMovesTheHeadAlongTheHeadingAndAdvancesThePattern) {
    ASSERT_EQ(red().patternLength, 32u);  // red.png is 32 pixels high
    placePlayer(red(), 200, 300, 30);
    run(red(), 1);
    ASSERT_EQ(red().pointCount, 2u);
    expectCentre(red().trail[0], 200, 300);
    const TrailPoint& head = red().trail[1];
    expectCentre(head, 200 + 1.6 * std::cos(M_PI / 6), 300.8);
    EXPECT_NEAR(head.leftT, 0.05, 1e-12);
    EXPECT_NEAR(head.rightT, 0.05, 1e-12);
    EXPECT_EQ(head.leftS, 0.0);
    EXPECT_EQ(head.rightS, 1.0);
    EXPECT_EQ(stencilAt(201, 300), 1);
}

TEST_F(Movement, ProbesReadOnePixelBeyondEachNewEdge) {
    // From x 98.6 the head moves to (100.2, 300): edges at y 302 and 298, probes at (102, 304)
    // and (102, 300). Only those two pixels kill.
    const int marks[][3] = {{102, 304, 1}, {102, 300, 1}, {103, 304, 0}, {102, 305, 0},
                            {101, 304, 0}, {103, 300, 0}, {102, 299, 0}, {102, 301, 0}};
    for (const auto& m : marks) {
        SCOPED_TRACE(testing::Message() << "marked pixel " << m[0] << "," << m[1]);
        restart(red(), 98.6, 300, 0);
        markStencil(m[0], m[1], 1, 1);
        run(red(), 1);
        EXPECT_EQ(red().alive, 1 - m[2]);
        EXPECT_EQ(red().died, m[2]);
    }
}

TEST_F(Movement, TurnStepsPivotOnTheInnerEdgeAndMarkTheWedge) {
    // 20 ms at 500 degrees per second is one 10 degree step, after the 2 pixel move to (100, 300).
    red().turnRate = 500;
    const double s = std::sin(M_PI / 18), c = std::cos(M_PI / 18);
    for (int side : {1, -1}) {  // left, then right
        SCOPED_TRACE(side);
        restart(red(), 98, 300, 0);
        red().turnLeft = side > 0;
        red().turnRight = side < 0;
        run(red(), 1, 0, 20);
        ASSERT_EQ(red().pointCount, 4u);
        const auto edge = [side](const TrailPoint& t, bool inner) {
            return (side > 0) == inner ? Point{t.leftX, t.leftY} : Point{t.rightX, t.rightY};
        };
        const TrailPoint& p = red().trail[2];
        const double pivotY = 300 + 2 * side;
        expectPoint(edge(p, true), 100, pivotY);
        expectCentre(p, 100 + 2 * s, pivotY - 2 * side * c);
        expectPoint(edge(p, false), 100 + 4 * s, pivotY - 4 * side * c);
        expectPoint(edge(red().trail[3], false), 100 + 4 * s, pivotY - 4 * side * c);
        EXPECT_NEAR(red().angle, 10 * side, 1e-9);
        expectPoint({red().velocityX, red().velocityY}, 100 * c, 100 * side * s);
        EXPECT_EQ(red().turnTime, 0.0);
        EXPECT_EQ(stencilAt(100, side > 0 ? 298 : 301), 1);  // in the wedge, past the moved piece
    }
}

TEST_F(Movement, SteeringStepsOnceTwentyMillisecondsHaveGathered) {
    placePlayer(red(), 200, 300, 0);
    red().turnLeft = 1;
    run(red(), 1);
    EXPECT_EQ(red().pointCount, 2u);
    EXPECT_EQ(red().angle, 0.0);
    run(red(), 1);
    EXPECT_EQ(red().pointCount, 4u);
    EXPECT_NEAR(red().angle, 5.76, 1e-9);  // 32 ms at 180 degrees per second
    run(red(), 2);
    EXPECT_EQ(red().pointCount, 6u);
    EXPECT_NEAR(red().angle, 11.52, 1e-9);
}

TEST_F(Movement, BothTurnKeysHeldSteerStraightOn) {
    placePlayer(red(), 200, 300, 0);
    world->controls.KeyState[world->controls.keyBindings[0].left] = 1;
    world->controls.KeyState[world->controls.keyBindings[0].right] = 1;
    readControls();
    EXPECT_EQ(red().turnLeft + red().turnRight, 0);
    run(red(), 10);
    EXPECT_EQ(red().turnTime, 0.0);
    EXPECT_EQ(red().angle, 0.0);
    EXPECT_EQ(red().pointCount, 2u);
}

TEST_F(Movement, AGapJumpsAheadAlongTheHeadingUnmarked) {
    placePlayer(red(), 184, 300, 0);
    run(red(), 10, 1);  // the clock stands still: no gap yet
    ASSERT_EQ(red().pointCount, 2u);
    clock.now += 1000;
    run(red(), 1, 1);
    ASSERT_EQ(red().pointCount, 4u);
    expectCentre(red().trail[2], 220, 300);
    expectCentre(red().trail[3], 221.6, 300);
    EXPECT_EQ(stencilAt(199, 300), 1);
    for (int x = 200; x < 220; ++x) EXPECT_EQ(stencilAt(x, 300), 0) << "x " << x;
    EXPECT_EQ(stencilAt(220, 300), 1);
    run(red(), 1, 1);  // the gap restarted the timer
    EXPECT_EQ(red().pointCount, 4u);
}

TEST_F(Movement, GapIntervalZeroNeverGaps) {
    clock.now += 1000000;
    placePlayer(red(), 100, 300, 0);
    run(red(), 100, 0);
    EXPECT_EQ(red().pointCount, 2u);
    for (int x = 100; x < 258; ++x) ASSERT_EQ(stencilAt(x, 300), 1) << "x " << x;
}

TEST_F(Movement, FirstUpdateOfARoundGapsWhenTheIntervalHasPassedSinceTheLastGap) {
    clock.now += 5000;
    startRound();  // placing the players does not restart their gap timers
    run(red(), 1, 3);
    EXPECT_EQ(red().pointCount, 4u);
}

TEST_F(Movement, AStraightLineNeverHitsItsOwnFreshPiece) {
    for (double heading : {0.0, 30.0, 45.0, 90.0, 135.0, 180.0, 225.0, 270.0, 333.0}) {
        SCOPED_TRACE(heading);
        restart(red(), 384, 384, heading);
        run(red(), 150);
        EXPECT_EQ(red().alive, 1);
        const double a = heading * M_PI / 180;
        EXPECT_EQ(stencilAt(static_cast<int>(384 + 120 * std::cos(a)),
                            static_cast<int>(384 + 120 * std::sin(a))),
                  1);
    }
    // Nor does a line steering round most of a circle meet its own wedges.
    restart(red(), 384, 384, 0);
    red().turnLeft = 1;
    run(red(), 100);
    EXPECT_EQ(red().alive, 1);
}

TEST_F(Movement, CrossingAnotherLineKillsTheCrosserOnly) {
    restart(cyan(), 400, 200, 90);
    run(cyan(), 100);  // x 398 to 402, y 200 to 360
    placePlayer(red(), 300, 300, 0);
    for (int i = 0; i < 100 && red().alive; ++i) run(red(), 1);
    EXPECT_EQ(red().alive, 0);
    EXPECT_EQ(red().died, 1);
    EXPECT_NEAR(red().trail[1].centerX, 396, 2);
    EXPECT_EQ(cyan().alive, 1);
    EXPECT_EQ(cyan().died, 0);
    run(red(), 5);  // a dead line stays where it died
    EXPECT_LT(red().trail[1].centerX, 398);
}

TEST_F(Movement, AnEdgeOnTheArenaBorderLivesAndOneBeyondItDies) {
    // One 250 ms frame is an exact 25 pixel step; the last piece marks the border pixel.
    const struct {
        double startX, heading;
        int dies, markedX;
    } cases[] = {{743, 0, 0, 767}, {743.01, 0, 1, 767}, {25, 180, 0, 0}, {24.99, 180, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.startX);
        restart(red(), c.startX, 300, c.heading);
        run(red(), 1, 0, 250);
        EXPECT_EQ(red().alive, 1 - c.dies);
        EXPECT_EQ(stencilAt(c.markedX, 300), 1);
    }
}

TEST_F(Movement, AStripedPatternLetsAnotherLinePassThroughTheStripe) {
    cyan().patternTexture = loadTexture("patterns/striped.png");
    cyan().patternLength = static_cast<std::uint32_t>(textureRecord(cyan().patternTexture).height);
    restart(cyan(), 400, 100, 90);
    run(cyan(), 100);  // 160 pixels: more than three repeats of 48
    // The first see-through stretch of the column that follows marked pixels.
    int stripeStart = 0, stripeEnd = 0;
    for (int y = 101; y < 250 && stripeEnd == 0; ++y) {
        if (stripeStart == 0 && stencilAt(400, y - 1) == 1 && stencilAt(400, y) == 0)
            stripeStart = y;
        if (stripeStart != 0 && stencilAt(400, y) == 1) stripeEnd = y;
    }
    ASSERT_NE(stripeEnd, 0) << "no stripe in the striped line";
    EXPECT_NEAR(stripeEnd - stripeStart, 15.5, 1.5);
    EXPECT_EQ(stencilAt(400, stripeEnd + 10), 1);

    // Red crosses the middle of the stripe: its probes look at y + 3.5 and y - 0.5.
    placePlayer(red(), 350, (stripeStart + stripeEnd) / 2.0 - 1.5, 0);
    run(red(), 60);
    EXPECT_EQ(red().alive, 1);
    EXPECT_EQ(stencilAt(400, stripeStart + 1), 0);  // beside Red's crossing the stripe stays open
    EXPECT_EQ(stencilAt(400, stripeEnd - 2), 0);
}

TEST_F(Movement, AFullTrailGrowsByFiveHundredAsOftenAsAnUpdateNeeds) {
    placePlayer(red(), 200, 300, 0);
    red().trail.resize(red().pointCount);
    run(red(), 1);
    EXPECT_EQ(red().trail.size(), 502u);
    EXPECT_EQ(red().pointCount, 2u);
    // A gap and a turn step in one update add four points to a trail with room for one.
    placePlayer(red(), 200, 300, 0);
    red().trail.resize(red().pointCount + 1);
    red().turnLeft = 1;
    red().turnTime = 20;
    clock.now += 1000;
    run(red(), 1, 1);
    ASSERT_EQ(red().pointCount, 6u);
    EXPECT_GE(red().trail.size(), 6u);
    expectCentre(red().trail[2], 220, 300);
    EXPECT_GT(red().angle, 0.0);
}

// Red runs right, fires a rocket that blasts a hole into Cyan's line, steers up and round and
// crashes into Cyan's line; Cyan runs straight up. Gaps come every second of the test's clock.
TEST_F(Movement, ScriptedTwoPlayerRunShowsTurnsGapsAHoleAndACrash) {
    const auto drawArena = [] {  // as the game scene draws it
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < 2; ++i) drawTrail(*world->players[i]);
        glDisable(GL_STENCIL_TEST);
        updateRockets(16);
        removeDeadRockets();
        glEnable(GL_STENCIL_TEST);
    };
    placePlayer(red(), 100, 230, 0);
    placePlayer(cyan(), 560, 60, 90);
    for (int frame = 0; frame < 600 && red().alive; ++frame) {
        red().turnLeft = frame >= 150 && frame < 181;
        red().turnRight = frame >= 220 && frame < 251;
        if (frame == 100) red().heldKind = red().fire = 1;
        clock.now += 16;
        for (int i = 0; i < 2; ++i) updatePlayer(*world->players[i], 1, 30, 20, 16);
        drawArena();
    }
    drawArena();
    saveFrame("two-players-scripted");

    EXPECT_EQ(red().died, 1);
    EXPECT_EQ(cyan().alive, 1);
    EXPECT_EQ(red().heldKind, 0);
    // Red's head stopped just short of Cyan's line, which runs over x 558 to 562.
    EXPECT_NEAR(red().trail[red().pointCount - 1].centerX, 555, 4);
    // The rocket flew along y 234.5 and opened Cyan's line far wider than a gap.
    for (int y = 210; y < 260; ++y) EXPECT_EQ(stencilAt(560, y), 0) << "y " << y;
    // Gaps: open stretches in Red's first straight and along Cyan's line beyond the hole.
    int redOpen = 0, cyanOpen = 0;
    for (int x = 100; x < 340; ++x) redOpen += stencilAt(x, 230) == 0;
    for (int y = 300; y < 700; ++y) cyanOpen += stencilAt(560, y) == 0;
    EXPECT_GE(redOpen, 19);
    EXPECT_GE(cyanOpen, 3 * 19);
}
