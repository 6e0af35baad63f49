// The game scene frame by frame: scoring, the round end, the banner and the SPACE key.
#include "game/scenes/game_scene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/app.h"
#include "app/random.h"
#include "app/window.h"
#include "game/players/player.h"
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

class GameScene : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        writeConfig(matchSettings());
        app = std::make_unique<App>();
        app->frameTime = 16;
        app->scene = 1;
    }
    void TearDown() override {
        delete app->timer;
        GlTest::TearDown();
    }

    // Starts the match and its first round with every player on a known straight course.
    void begin(const Settings& s) {
        startGame(s);
        seedRandom(1);  // later rounds start from known places too
        startRound();
        for (int i = 0; i < activePlayerCount(); ++i)
            placePlayer(*players[i], 100, 100 + 150 * i, 0);
    }
    // Puts a player outside the arena, so its next move kills it.
    void sendOut(int i) { placePlayer(*players[i], -5, 100 + 150 * i, 180); }
    void frame() { gameSceneFrame(*app); }
    void frameWithSpace(bool down) {
        KeyState[kSpaceKey] = down ? 1 : 0;
        frame();
    }
    bool quitPosted() {
        bool quit = false;
        platform::Message message;
        while (platform::pollMessage(message)) quit |= message.kind == platform::MessageKind::quit;
        return quit;
    }
    double headX(int i) { return players[i]->trail[players[i]->pointCount - 1].centerX; }
    bool bandAt(int x, int y) {
        const Rgba c = colorAt(x, y);
        return std::abs(c.r - 77) <= 2 && std::abs(c.g - 77) <= 2 && std::abs(c.b - 77) <= 2;
    }
    // The rightmost column of white text pixels in a row band of the score board.
    int textRightEdge(int y0, int y1) {
        for (int x = 1023; x >= 768; --x) {
            if (countPixels(x, y0, x + 1, y1, 200, 255) > 0) return x;
        }
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
    EXPECT_EQ(players[0]->score, 0);
    EXPECT_EQ(players[1]->score, 0);
    EXPECT_EQ(players[2]->score, 2);
    EXPECT_EQ(players[0]->died + players[1]->died, 0);  // settled once, in that frame
    frame();
    EXPECT_EQ(players[2]->score, 2);
}

TEST_F(GameScene, TheLastTwoDyingTogetherScoreNothing) {
    begin(matchSettings());
    sendOut(0);
    sendOut(1);
    frame();
    EXPECT_EQ(players[0]->alive + players[1]->alive, 0);
    EXPECT_EQ(players[0]->score + players[1]->score, 0);
}

TEST_F(GameScene, TheFrameOfTheSecondLastDeathStillMovesAndTheNextShowsTheBand) {
    begin(matchSettings());
    sendOut(1);
    frame();
    EXPECT_EQ(players[1]->alive, 0);
    EXPECT_EQ(players[0]->score, 1);
    EXPECT_NEAR(headX(0), 101.6, 1e-9);
    EXPECT_FALSE(bandAt(600, 300));

    frame();
    EXPECT_NEAR(headX(0), 101.6, 1e-9);
    EXPECT_TRUE(bandAt(600, 300));
    EXPECT_TRUE(bandAt(20, 460));
    EXPECT_FALSE(bandAt(600, 290));
    EXPECT_FALSE(bandAt(600, 478));
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
    Settings s = matchSettings();
    s.fixedRounds = 1;
    s.matchLimit = 3;
    begin(s);
    bool exit = true;
    for (int round = 1; round <= 3; ++round) {
        roundCounter = static_cast<std::uint16_t>(round);
        EXPECT_STREQ(bannerText(exit), round < 3 ? kNextRound : kExit) << round;
        EXPECT_EQ(exit, round == 3);
    }

    settings.fixedRounds = 0;
    settings.matchLimit = 5;
    roundCounter = 50;
    players[1]->score = 4;
    EXPECT_STREQ(bannerText(exit), kNextRound);
    EXPECT_FALSE(exit);
    players[1]->score = 5;
    EXPECT_STREQ(bannerText(exit), kExit);
    EXPECT_TRUE(exit);
}

TEST_F(GameScene, FixedRoundsEndTheMatchAfterTheLastRound) {
    Settings s = matchSettings();
    s.fixedRounds = 1;
    s.matchLimit = 3;
    begin(s);
    for (int round = 1; round <= 3; ++round) {
        players[1]->alive = 0;
        frameWithSpace(true);
        frameWithSpace(false);
        EXPECT_EQ(roundCounter, round < 3 ? round + 1 : 3);
        EXPECT_EQ(quitPosted(), round == 3) << round;
    }
}

TEST_F(GameScene, AMatchLimitOfZeroEndsTheMatchAtTheFirstRoundEndInBothModes) {
    for (std::uint8_t fixed : {0, 1}) {
        SCOPED_TRACE(fixed);
        Settings s = matchSettings();
        s.fixedRounds = fixed;
        s.matchLimit = 0;
        begin(s);
        frameWithSpace(false);
        EXPECT_FALSE(quitPosted());
        players[1]->alive = 0;
        frameWithSpace(true);
        EXPECT_TRUE(quitPosted());
        EXPECT_EQ(roundCounter, 1);
        KeyState[kSpaceKey] = 0;
        resetWorld();
    }
}

TEST_F(GameScene, SpaceInARunningRoundOnlyLatchesAndMustBeReleasedAtTheRoundEnd) {
    begin(matchSettings());
    frameWithSpace(true);
    EXPECT_EQ(spaceLatch, 1);
    EXPECT_EQ(roundCounter, 1);
    EXPECT_FALSE(quitPosted());

    players[1]->alive = 0;
    for (int i = 0; i < 3; ++i) frameWithSpace(true);
    EXPECT_EQ(roundCounter, 1);
    frameWithSpace(false);
    EXPECT_EQ(roundCounter, 1);
    frameWithSpace(true);
    EXPECT_EQ(roundCounter, 2);
    EXPECT_EQ(players[1]->alive, 1);
}

TEST_F(GameScene, ScoreBoardSaysScoresFromTwoPointsOn) {
    begin(matchSettings());
    players[1]->alive = 0;
    int edge[3] = {};
    for (int score = 0; score < 3; ++score) {
        players[0]->score = static_cast<std::uint16_t>(score);
        frame();
        edge[score] = textRightEdge(40, 72);
    }
    // "1 score." ends in its eighth glyph cell (912..928), "2 scores." in its ninth.
    EXPECT_GE(edge[0], 912);
    EXPECT_LT(edge[0], 928);
    EXPECT_EQ(edge[1], edge[0]);
    EXPECT_GE(edge[2], 928);
    EXPECT_LT(edge[2], 944);
}
