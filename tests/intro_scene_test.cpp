// The intro: its eight-second timeline and the SPACE press that starts the first round.
#include "game/scenes/intro_scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "app/window.h"
#include "core/keys.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

TEST(IntroTimeline, SlidesDownHoldsSlidesBackRestsAndRestartsAfterEightSeconds) {
    const struct {
        std::vector<double> frames;
        double scroll, clock;
    } cases[] = {
        {{1000}, -384, 1000},
        {{1000, 2000}, -768, 3000},
        {{1000, 2000, 2000}, -384, 5000},
        {{1000, 2000, 2000, 2000}, 0, 7000},
        {{1000, 2000, 2000, 2000, 1500}, 0, 0},  // past eight seconds the clock restarts
        {{5000, 4000}, -384, 0},                 // and the offset the restart frame found stays
        {{5000, 4000, 500}, -192, 500},
        {{3000}, -768, 3000},  // one long frame jumps straight to the phase it reaches
        {{6500}, 0, 6500},
        {{4500}, -576, 4500},
    };
    for (const auto& c : cases) {
        world->scenes.introClock = world->scenes.introScroll = 0.0;
        for (double frameTime : c.frames) advanceIntroTimeline(frameTime);
        EXPECT_DOUBLE_EQ(world->scenes.introScroll, c.scroll) << testing::PrintToString(c.frames);
        EXPECT_DOUBLE_EQ(world->scenes.introClock, c.clock) << testing::PrintToString(c.frames);
    }
}

using IntroScene = GlTest;

TEST_F(IntroScene, SpaceStartsTheFirstRoundOnceEvenWhenHeldIntoTheGame) {
    writeConfig(matchSettings());
    App game;
    game.frameTime = 16;
    Settings s = matchSettings();
    s.playerCount = 1;  // a round that is over at once, so a held SPACE could start another
    startGame(s);
    introSceneFrame(game.frameTime);
    EXPECT_EQ(world->scenes.scene, 0);
    EXPECT_EQ(world->scenes.roundCounter, 0);

    world->controls.KeyState[vk::kSpace] = 1;
    introSceneFrame(game.frameTime);
    EXPECT_EQ(world->scenes.scene, 1);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    for (int i = 0; i < 3; ++i) gameSceneFrame(game.frameTime);
    EXPECT_EQ(world->scenes.roundCounter, 1);

    world->controls.KeyState[vk::kSpace] = 0;
    gameSceneFrame(game.frameTime);
    world->controls.KeyState[vk::kSpace] = 1;
    gameSceneFrame(game.frameTime);
    EXPECT_EQ(world->scenes.roundCounter, 2);
}
