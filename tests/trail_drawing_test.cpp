// Drawing trails: colour only where the stencil is marked, the pattern's repeat, dead lines,
// holes, and the render state a player update leaves for the drawing.
#include "game/players/trail_drawing.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/context.h"
#include "game/entities/entity_tables.h"
#include "game/entities/rockets.h"
#include "game/players/movement.h"
#include "game/scenes/round_start.h"
#include "gfx/image_names.h"
#include "tests/reference/reference_trail.h"
#include "tests/support.h"

namespace {

bool sameColour(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class TrailDrawing : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startGame(matchSettings());
        startRound();
        glClear(GL_COLOR_BUFFER_BIT);
        background = colorAt(0, 0);
    }

    static Player& red() { return *world->players[0]; }
    static Player& cyan() { return *world->players[1]; }

    static void run(Player& player, int frames) {
        for (int i = 0; i < frames; ++i) updatePlayer(player, 0, 16, 20, 16);
    }

    // The arena of one game frame: trails under the stencil test, then the rockets.
    static void drawFrame(double frameTime) {
        glClear(GL_COLOR_BUFFER_BIT);
        drawTrail(red());
        drawTrail(cyan());
        glDisable(GL_STENCIL_TEST);
        updateRockets(frameTime);
        removeDeadRockets();
        glEnable(GL_STENCIL_TEST);
    }

    bool isBackground(int x, int y) const { return sameColour(colorAt(x, y), background); }

    // Frames of both lines drawn as the game draws them, one drawing after every update.
    static void runBoth(int frames) {
        for (int i = 0; i < frames; ++i) {
            run(red(), 1);
            run(cyan(), 1);
            drawTrail(red());
            drawTrail(cyan());
        }
    }

    // The arena's colour bytes after drawing both lines with `draw`, every quad let through.
    template <typename Draw>
    static std::vector<std::uint8_t> arenaDrawnBy(Draw draw) {
        markStencil(0, 0, 768, 768);
        glClear(GL_COLOR_BUFFER_BIT);
        draw(red());
        draw(cyan());
        std::vector<std::uint8_t> pixels(768 * 768 * 4);
        glReadPixels(0, 0, 768, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glClear(GL_STENCIL_BUFFER_BIT);  // the lines move on through an empty map
        return pixels;
    }

    Rgba background{};
};

}  // namespace

TEST_F(TrailDrawing, AJustPlacedLineDrawsNothing) {
    markStencil(150, 250, 100, 100);  // nothing would hide a drawn line
    placePlayer(red(), 200, 300, 30);
    drawFrame(16);
    for (int y = 290; y < 310; ++y) {
        for (int x = 190; x < 210; ++x) ASSERT_TRUE(isBackground(x, y)) << x << "," << y;
    }
}

TEST_F(TrailDrawing, PatternShowsExactlyWhereTheStencilIsMarked) {
    placePlayer(red(), 200, 200, 0);
    placePlayer(cyan(), 200, 400, 30);
    run(red(), 63);  // 100.8 pixels each
    run(cyan(), 63);
    drawFrame(16);
    saveFrame("trail-drawing-two-lines");

    int marked = 0, mismatched = 0;
    for (int y = 390; y < 460; ++y) {
        for (int x = 190; x < 300; ++x) {
            const bool isMarked = stencilAt(x, y) == 1;
            marked += isMarked;
            mismatched += isMarked == isBackground(x, y);
        }
    }
    EXPECT_GT(marked, 350);
    EXPECT_EQ(mismatched, 0);

    // Red's pattern repeats every 32 pixels of travel: equal a repeat apart, not half of one.
    const Rgba a = colorAt(210, 200);
    EXPECT_GT(a.r, 2 * a.g);
    EXPECT_TRUE(sameColour(a, colorAt(242, 200)));
    EXPECT_TRUE(sameColour(a, colorAt(274, 200)));
    EXPECT_FALSE(sameColour(a, colorAt(226, 200)));
}

TEST_F(TrailDrawing, ADeadLineIsDrawnAtHalfBrightness) {
    placePlayer(red(), 200, 200, 0);
    run(red(), 63);
    drawFrame(16);
    const Rgba alive[] = {colorAt(210, 200), colorAt(226, 201), colorAt(290, 198)};
    red().alive = 0;
    drawFrame(16);
    const Rgba dead[] = {colorAt(210, 200), colorAt(226, 201), colorAt(290, 198)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(alive[i].r, 100);
        EXPECT_NEAR(dead[i].r, alive[i].r / 2.0, 1.0);
        EXPECT_NEAR(dead[i].g, alive[i].g / 2.0, 1.0);
        EXPECT_NEAR(dead[i].b, alive[i].b / 2.0, 1.0);
    }
}

TEST_F(TrailDrawing, AHoleShowsAsABreakInTheLineFromTheFrameAfterTheBlast) {
    placePlayer(cyan(), 400, 100, 90);
    run(cyan(), 150);  // x 398 to 402, y 100 to 340
    spawnRocket(350, 250, loadTexture(kRocketImage), loadTexture(kHoleImage), 1, 0, 16);
    int frame = 0;
    for (; frame < 40 && world->entityTables->rockets[0]; ++frame) drawFrame(5);
    ASSERT_LT(frame, 40) << "the rocket never hit";
    // Trails are drawn before rockets fly, so the blast frame still shows the whole line.
    EXPECT_FALSE(isBackground(400, 250));
    for (int later = 0; later < 3; ++later) {
        drawFrame(5);
        for (int y = 240; y < 260; ++y) EXPECT_TRUE(isBackground(400, y)) << "y " << y;
        EXPECT_FALSE(isBackground(400, 200));
        EXPECT_FALSE(isBackground(400, 300));
    }
    saveFrame("trail-drawing-hole");
}

TEST_F(TrailDrawing, AnUpdateLeavesTheStateTheDrawingNeeds) {
    const auto scramble = [] {
        glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
        glStencilFunc(GL_ALWAYS, 0, 0xff);
        glStencilOp(GL_REPLACE, GL_INCR, GL_ZERO);
        glEnable(GL_ALPHA_TEST);
        glDisable(GL_TEXTURE_2D);
    };
    const auto expectExitState = [](const char* what) {
        SCOPED_TRACE(what);
        GLboolean mask[4] = {};
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        for (GLboolean channel : mask) EXPECT_EQ(channel, GL_TRUE);
        const std::pair<GLenum, GLint> expected[] = {{GL_STENCIL_FUNC, GL_EQUAL},
                                                     {GL_STENCIL_REF, 1},
                                                     {GL_STENCIL_VALUE_MASK, 1},
                                                     {GL_STENCIL_FAIL, GL_KEEP},
                                                     {GL_STENCIL_PASS_DEPTH_FAIL, GL_KEEP},
                                                     {GL_STENCIL_PASS_DEPTH_PASS, GL_KEEP}};
        for (const auto& [name, value] : expected) {
            GLint actual = 0;
            glGetIntegerv(name, &actual);
            EXPECT_EQ(actual, value) << "state 0x" << std::hex << name;
        }
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    };

    placePlayer(red(), 200, 300, 0);
    scramble();
    run(red(), 1);
    expectExitState("a plain move");

    FakeCounter clock{1000};
    red().gapTimer->counter = &clock.source();
    red().gapTimer->restart();
    clock.now += 1000;
    red().turnLeft = 1;
    red().turnTime = 20;
    red().heldKind = red().fire = 1;
    scramble();
    updatePlayer(red(), 1, 16, 20, 16);
    ASSERT_EQ(red().pointCount, 6u);
    expectExitState("a turn step, a gap and a rocket");

    markStencil(0, 0, 768, 768);
    scramble();
    run(red(), 1);
    ASSERT_EQ(red().alive, 0);
    expectExitState("a death");
}

// The arrays follow every way the trail changes: the moving head, turn steps and gaps, the
// trail's growth, a rewound point count (a put-back scene), a dead line and a new round's
// shorter line. Each step's frame must equal the immediate drawing's.
TEST_F(TrailDrawing, TheArraysDrawWhatThePiecesWouldAsTheTrailChanges) {
    const struct {
        const char* what;
        void (*change)();
    } steps[] = {
        {"placed",
         [] {
             placePlayer(red(), 300, 300, 0);
             placePlayer(cyan(), 500, 500, 90);
         }},
        {"moved ahead", [] { runBoth(30); }},
        {"turning, the trail grown",
         [] {
             red().trail.resize(red().pointCount + 1);  // the first turn step grows it
             red().turnLeft = cyan().turnRight = 1;
             runBoth(60);  // short of a half circle: nothing drawn over
             ASSERT_GT(red().trail.size(), 500u);
         }},
        {"a gap, then a move",
         [] {
             makeGap(red(), 20);
             runBoth(1);
         }},
        {"rewound, then a gap and a turn",
         [] {
             red().pointCount -= 40;
             makeGap(red(), 30);
             runBoth(2);
         }},
        {"dead", [] { cyan().alive = 0; }},
        {"a new round",
         [] {
             placePlayer(red(), 400, 200, 45);
             placePlayer(cyan(), 200, 400, 180);
             cyan().alive = 1;
             runBoth(20);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_TRUE(arenaDrawnBy(drawTrail) == arenaDrawnBy(drawTrailImmediate));
    }
}

// A drawing leaves no client array on, nor one pointing into a trail that moves as it grows.
TEST_F(TrailDrawing, TheDrawingLeavesNoClientArrays) {
    placePlayer(red(), 200, 200, 0);
    run(red(), 10);
    drawTrail(red());
    for (const auto& [array, pointer] :
         {std::pair{GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_POINTER},
          std::pair{GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_POINTER}}) {
        EXPECT_FALSE(glIsEnabled(array)) << "array 0x" << std::hex << array;
        GLvoid* address = red().trailArrays.vertices.data();
        glGetPointerv(pointer, &address);
        EXPECT_EQ(address, nullptr) << "array 0x" << std::hex << array;
    }
}
