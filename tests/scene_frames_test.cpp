// Whole frames of the intro and the game scene, rendered offscreen, saved for a person to look
// at and checked by regions: the logos' places, the score panel, the band and the texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>

#include "app/app.h"
#include "app/context.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/round_start.h"
#include "tests/support.h"

namespace {

constexpr int kBlack = 8;  // channels at most this count as black
constexpr int kWhite = 200;

class SceneFrames : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        writeConfig(matchSettings());
        app = std::make_unique<App>();
        startGame(matchSettings());
    }

    // Red runs right along y 200, Cyan along y 500, both from x 200.
    void startKnownRound() {
        seedRandom(1);
        startRound();
        placePlayer(*world->players[0], 200, 200, 0);
        placePlayer(*world->players[1], 200, 500, 0);
        world->scenes.scene = kGameScene;
        app->frameTime = 16;
    }
    void gameFrames(int count) {
        for (int i = 0; i < count; ++i) gameSceneFrame(app->frameTime);
    }

    static int area(int x0, int y0, int x1, int y1) { return (x1 - x0) * (y1 - y0); }
    static bool allBlack(int x0, int y0, int x1, int y1) {
        return countPixels(x0, y0, x1, y1, 0, kBlack) == area(x0, y0, x1, y1);
    }
    static bool hasText(int x0, int y0, int x1, int y1) {
        return countPixels(x0, y0, x1, y1, kWhite, 255) > 20;
    }
    static bool near(Rgba c, int r, int g, int b) {
        return std::abs(c.r - r) <= 2 && std::abs(c.g - g) <= 2 && std::abs(c.b - b) <= 2;
    }
    // The first and last non-black columns of a row, or rows of a column.
    static std::pair<int, int> litSpan(bool row, int at, int from, int to) {
        int first = -1, last = -1;
        for (int i = from; i < to; ++i) {
            const int x = row ? i : at, y = row ? at : i;
            if (countPixels(x, y, x + 1, y + 1, 0, kBlack) == 1) continue;
            if (first < 0) first = i;
            last = i;
        }
        return {first, last};
    }

    std::unique_ptr<App> app;
};

}  // namespace

TEST_F(SceneFrames, IntroStartsWithTheWhiteBandAtTheBottom) {
    app->frameTime = 0;
    introSceneFrame(app->frameTime);
    saveFrame("intro-0ms");
    EXPECT_EQ(countPixels(0, 0, 1024, 256, 250, 255), area(0, 0, 1024, 256));
    EXPECT_LT(countPixels(0, 256, 1024, 768, 250, 255), area(0, 256, 1024, 768) / 2);
    EXPECT_TRUE(hasText(10, 730, 220, 762));  // "Press <SPACE>"
}

TEST_F(SceneFrames, IntroAtThreeSecondsShowsTheSquareLogoCentred) {
    app->frameTime = 3000;
    introSceneFrame(app->frameTime);
    saveFrame("intro-3000ms");
    // The logo's square is x 256..768, y 150..662; its round picture nearly fills it.
    EXPECT_TRUE(allBlack(0, 0, 1024, 150));
    EXPECT_TRUE(allBlack(0, 150, 256, 662));
    EXPECT_TRUE(allBlack(768, 150, 1024, 662));
    EXPECT_TRUE(allBlack(0, 662, 1024, 725));
    // The picture's lit span reaches within 24 pixels of each side of the square.
    const auto across = litSpan(true, 406, 0, 1024), down = litSpan(false, 512, 0, 725);
    EXPECT_NEAR(across.first, 267.5, 11.5);
    EXPECT_NEAR(across.second, 756, 11);
    EXPECT_NEAR(down.first, 161.5, 11.5);
    EXPECT_NEAR(down.second, 650, 11);
    EXPECT_TRUE(hasText(10, 730, 220, 762));
}

TEST_F(SceneFrames, RunningRoundShowsTrailsAndTheScorePanel) {
    startKnownRound();
    gameFrames(60);
    saveFrame("round-running");
    EXPECT_TRUE(near(colorAt(1000, 700), 77, 77, 77));
    EXPECT_TRUE(near(colorAt(780, 300), 77, 77, 77));
    EXPECT_TRUE(near(colorAt(600, 300), 10, 20, 30));  // no band while the round runs
    EXPECT_EQ(countPixels(0, 296, 768, 472, 70, 84), 0);
    const Rgba red = colorAt(250, 200), cyan = colorAt(250, 500);
    EXPECT_GT(red.r, red.g + 80);
    EXPECT_GT(cyan.b, cyan.r + 80);
    EXPECT_TRUE(near(colorAt(250, 210), 10, 20, 30));
    // Red's lines at rows 40 and 70, Cyan's at 170 and 200.
    for (int y : {40, 70, 170, 200}) EXPECT_TRUE(hasText(800, y, 1024, y + 32)) << y;
    EXPECT_FALSE(hasText(768, 0, 1024, 40));
    EXPECT_FALSE(hasText(768, 104, 1024, 168));
    EXPECT_FALSE(hasText(768, 234, 1024, 768));
}

TEST_F(SceneFrames, FinishedRoundShowsTheBandTheBannerAndTheScores) {
    startKnownRound();
    gameFrames(10);
    placePlayer(*world->players[1], -5, 500, 180);
    gameFrames(2);
    saveFrame("round-over");
    EXPECT_EQ(world->players[0]->score, 1);
    EXPECT_TRUE(near(colorAt(600, 300), 77, 77, 77));
    EXPECT_TRUE(near(colorAt(5, 470), 77, 77, 77));
    EXPECT_TRUE(near(colorAt(600, 290), 10, 20, 30));
    EXPECT_TRUE(near(colorAt(600, 476), 10, 20, 30));
    EXPECT_TRUE(hasText(0, 374, 768, 416));  // the banner
    EXPECT_FALSE(hasText(0, 300, 768, 370));
    for (int y : {40, 70, 170, 200}) EXPECT_TRUE(hasText(800, y, 1024, y + 32)) << y;
    EXPECT_TRUE(near(colorAt(1000, 700), 77, 77, 77));
}
