// The intro: its eight-second timeline and the SPACE press that starts the first round.
#include "game/scenes/intro_scene.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "app/window.h"
#include "game/players/player.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

namespace {

// Runs the timeline from the start through frames of the given lengths.
void runIntro(std::initializer_list<double> frames) {
    introClock = 0.0;
    introScroll = 0.0;
    for (double frameTime : frames) advanceIntroTimeline(frameTime);
}

}  // namespace

TEST(IntroTimeline, SlidesDownHoldsSlidesBackAndRests) {
    runIntro({1000});
    EXPECT_DOUBLE_EQ(introScroll, -384);
    advanceIntroTimeline(2000);
    EXPECT_DOUBLE_EQ(introScroll, -768);
    advanceIntroTimeline(2000);
    EXPECT_DOUBLE_EQ(introScroll, -384);
    advanceIntroTimeline(2000);
    EXPECT_DOUBLE_EQ(introScroll, 0);
    EXPECT_DOUBLE_EQ(introClock, 7000);
}

TEST(IntroTimeline, PassingEightSecondsRestartsTheClockAndKeepsTheOffset) {
    runIntro({1000, 2000, 2000, 2000, 1500});
    EXPECT_DOUBLE_EQ(introClock, 0);
    EXPECT_DOUBLE_EQ(introScroll, 0);

    // One long frame from the slide back (-384 at 5000 ms) straight past the end.
    runIntro({5000, 4000});
    EXPECT_DOUBLE_EQ(introClock, 0);
    EXPECT_DOUBLE_EQ(introScroll, -384);
    advanceIntroTimeline(500);
    EXPECT_DOUBLE_EQ(introScroll, -192);
}

TEST(IntroTimeline, ALongFrameJumpsStraightToThePhaseReached) {
    runIntro({3000});
    EXPECT_DOUBLE_EQ(introScroll, -768);
    runIntro({6500});
    EXPECT_DOUBLE_EQ(introScroll, 0);
    runIntro({4500});
    EXPECT_DOUBLE_EQ(introScroll, -576);
}

class IntroScene : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        writeConfig(matchSettings());
        app = std::make_unique<App>();
        app->frameTime = 16;
    }
    void TearDown() override {
        delete app->timer;
        GlTest::TearDown();
    }
    std::unique_ptr<App> app;
};

TEST_F(IntroScene, SpaceStartsTheFirstRoundOnceEvenWhenHeldIntoTheGame) {
    Settings s = matchSettings();
    s.playerCount = 1;  // a round that is over at once, so a held SPACE could start another
    startGame(s);
    introSceneFrame(*app);
    EXPECT_EQ(app->scene, 0);
    EXPECT_EQ(roundCounter, 0);

    KeyState[kSpaceKey] = 1;
    introSceneFrame(*app);
    EXPECT_EQ(app->scene, 1);
    EXPECT_EQ(roundCounter, 1);
    EXPECT_EQ(players[0]->pointCount, 2u);
    EXPECT_EQ(players[0]->trail.size(), 1000u);
    for (int i = 0; i < 3; ++i) gameSceneFrame(*app);
    EXPECT_EQ(roundCounter, 1);

    KeyState[kSpaceKey] = 0;
    gameSceneFrame(*app);
    KeyState[kSpaceKey] = 1;
    gameSceneFrame(*app);
    EXPECT_EQ(roundCounter, 2);
}
