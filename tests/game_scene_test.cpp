// The game scene frame by frame: scoring, the round end, the banner, the SPACE key and pickups.
#include "game/scenes/game_scene.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/app.h"
#include "app/context.h"
#include "app/window.h"
#include "core/keys.h"
#include "game/entities/entity_tables.h"
#include "game/entities/pickups.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/scenes/round_start.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

namespace {

constexpr char kNextRound[] = "Press <SPACE> to start the new round";
constexpr char kExit[] = "Press <SPACE> to exit";

// Red (slot 0), Green (slot 1) and Cyan (slot 5).
Settings threePlayers() {
    Settings s = matchSettings();
    s.slotEnabled[1] = 1;
    std::strcpy(s.playerName[1], "Green");
    std::strcpy(s.patternFile[1], "green.png");
    s.playerCount = 3;
    return s;
}

Settings withRounds(std::uint8_t fixedRounds, std::uint8_t matchLimit) {
    Settings s = matchSettings();
    s.fixedRounds = fixedRounds;
    s.matchLimit = matchLimit;
    return s;
}

class GameScene : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        writeConfig(matchSettings());
        app = std::make_unique<App>();
        app->frameTime = 16;
        world->scenes.scene = kGameScene;
    }

    // Starts the match and its first round with every player on a known straight course.
    void begin(const Settings& s = matchSettings()) {
        startGame(s);
        seedRandom(1);  // later rounds start from known places too
        startRound();
        for (int i = 0; i < activePlayerCount(); ++i)
            placePlayer(*world->players[i], 100, 100 + 150 * i, 0);
    }
    // Puts a player outside the arena, so its next move kills it.
    void sendOut(int i) { placePlayer(*world->players[i], -5, 100 + 150 * i, 180); }
    void frame() { gameSceneFrame(app->frameTime); }
    void frameWithSpace(bool down) {
        world->controls.KeyState[vk::kSpace] = down ? 1 : 0;
        frame();
    }
    bool quitPosted() {
        bool quit = false;
        platform::Message message;
        while (platform::pollMessage(message)) quit |= message.kind == platform::MessageKind::quit;
        return quit;
    }
    double headX(int i) {
        return world->players[i]->trail[world->players[i]->pointCount - 1].centerX;
    }
    bool bandAt(int x, int y) { return countPixels(x, y, x + 1, y + 1, 75, 79) == 1; }
    // The rightmost column of white text pixels in a row band of the score board.
    int textRightEdge(int y0, int y1) {
        for (int x = 1023; x >= 768; --x)
            if (countPixels(x, y0, x + 1, y1, 200, 255) > 0) return x;
        return -1;
    }

    std::unique_ptr<App> app;
};

}  // namespace

TEST_F(GameScene, TwoDeathsInOneFrameGiveTheSurvivorTwoPoints) {
    begin(threePlayers());
    sendOut(0);
    sendOut(1);
    frame();
    EXPECT_EQ(world->players[0]->score + world->players[1]->score, 0);
    EXPECT_EQ(world->players[2]->score, 2);
    EXPECT_EQ(world->players[0]->died + world->players[1]->died,
              0);  // settled once, in that frame
    frame();
    EXPECT_EQ(world->players[2]->score, 2);
}

TEST_F(GameScene, TheLastTwoDyingTogetherScoreNothing) {
    begin();
    sendOut(0);
    sendOut(1);
    frame();
    EXPECT_EQ(world->players[0]->alive + world->players[1]->alive, 0);
    EXPECT_EQ(world->players[0]->score + world->players[1]->score, 0);
}

TEST_F(GameScene, TheFrameOfTheSecondLastDeathStillMovesAndTheNextShowsTheBand) {
    begin();
    sendOut(1);
    frame();
    EXPECT_EQ(world->players[1]->alive, 0);
    EXPECT_EQ(world->players[0]->score, 1);
    EXPECT_NEAR(headX(0), 101.6, 1e-9);
    EXPECT_FALSE(bandAt(600, 300));

    frame();  // the band's extent is checked in SceneFrames
    EXPECT_NEAR(headX(0), 101.6, 1e-9);
    EXPECT_TRUE(bandAt(600, 300));
}

TEST_F(GameScene, AOnePlayerMatchNeverMovesAndShowsTheStartTextAtOnce) {
    Settings s = matchSettings();
    s.playerCount = 1;
    begin(s);
    frame();
    frame();
    EXPECT_EQ(headX(0), 100);
    EXPECT_TRUE(bandAt(600, 300));
    EXPECT_GT(countPixels(0, 374, 768, 416, 200, 255), 200);  // the banner's letters
}

TEST_F(GameScene, BannerOffersTheExitOnlyAtTheMatchLimit) {
    const auto expectBanner = [](bool exits) {
        bool exit = !exits;  // must be set either way
        EXPECT_STREQ(bannerText(exit), exits ? kExit : kNextRound);
        EXPECT_EQ(exit, exits);
    };
    begin(withRounds(1, 3));
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        world->scenes.roundCounter = static_cast<std::uint16_t>(round);
        expectBanner(round == 3);
    }
    world->settings.fixedRounds = 0;
    world->settings.matchLimit = 5;
    world->scenes.roundCounter = 50;
    world->players[1]->score = 4;
    expectBanner(false);
    world->players[1]->score = 5;
    expectBanner(true);
}

TEST_F(GameScene, FixedRoundsEndTheMatchAfterTheLastRound) {
    begin(withRounds(1, 3));
    for (int round = 1; round <= 3; ++round) {
        world->players[1]->alive = 0;
        frameWithSpace(true);
        frameWithSpace(false);
        EXPECT_EQ(world->scenes.roundCounter, round < 3 ? round + 1 : 3);
        EXPECT_EQ(quitPosted(), round == 3) << round;
    }
}

TEST_F(GameScene, AMatchLimitOfZeroEndsTheMatchAtTheFirstRoundEndInBothModes) {
    for (std::uint8_t fixed : {0, 1}) {
        SCOPED_TRACE(fixed);
        begin(withRounds(fixed, 0));
        frameWithSpace(false);
        EXPECT_FALSE(quitPosted());
        world->players[1]->alive = 0;
        frameWithSpace(true);
        EXPECT_TRUE(quitPosted());
        EXPECT_EQ(world->scenes.roundCounter, 1);
        resetWorld();
    }
}

TEST_F(GameScene, SpaceInARunningRoundOnlyLatchesAndMustBeReleasedAtTheRoundEnd) {
    begin();
    frameWithSpace(true);
    EXPECT_EQ(world->scenes.spaceLatch, 1);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    EXPECT_FALSE(quitPosted());

    world->players[1]->alive = 0;
    for (int i = 0; i < 3; ++i) frameWithSpace(true);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    frameWithSpace(false);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    frameWithSpace(true);
    EXPECT_EQ(world->scenes.roundCounter, 2);
    EXPECT_EQ(world->players[1]->alive, 1);
}

TEST_F(GameScene, ScoreBoardSaysScoresFromTwoPointsOn) {
    begin();
    world->players[1]->alive = 0;
    int edge[3] = {};
    for (int score = 0; score < 3; ++score) {
        world->players[0]->score = static_cast<std::uint16_t>(score);
        frame();
        edge[score] = textRightEdge(40, 72);
    }
    // "1 score." ends in its eighth glyph cell (912..927), "2 scores." in its ninth.
    EXPECT_NEAR(edge[0], 919.5, 7.5);
    EXPECT_EQ(edge[1], edge[0]);
    EXPECT_NEAR(edge[2], 935.5, 7.5);
}

TEST_F(GameScene, AFinishedRoundCollectsAndSpawnsNoPickups) {
    begin();
    world->settings.pickupsEnabled = 1;
    world->players[1]->alive = 0;
    addPickup(100, 110, 0);  // in reach of Red's head
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(countPickups(), 1);
    EXPECT_EQ(world->players[0]->heldKind, 0);
}

TEST_F(GameScene, DisabledPickupsLeaveTheTableEmpty) {
    begin();
    world->settings.pickupsEnabled = 0;
    world->settings.maxPickups = 200;
    for (int i = 0; i < 100; ++i) frame();
    EXPECT_EQ(world->entityTables->pickups.size(), 200u);
    for (const auto& pickup : world->entityTables->pickups) EXPECT_EQ(pickup, nullptr);
}
