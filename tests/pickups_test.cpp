// Pickups: spawning up to the limit, collecting within reach of a head's edges, and the round
// flow that runs them.
#include "game/entities/pickups.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "app/random.h"
#include "game/entities/entity_tables.h"
#include "game/players/player.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/round_start.h"
#include "tests/support.h"

namespace {

// Player 0 at (100, 100) heading right (edges at y 102 and 98), player 1 far off at (700, 700);
// no spawn point (50 to 717 on both axes) is within reach of player 0.
class Pickups : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startGame(matchSettings());
        startRound();
        seedRandom(1);  // the first spawn lands at (91, 481), out of everyone's reach
        placePlayer(*players[0], 100, 100, 0);
        placePlayer(*players[1], 700, 700, 180);
    }

    void addFarPickups(int count) {
        for (int i = 0; i < count; ++i) addPickup(400 + 40 * i, 400, 0);
    }

    Pickup* slot(int i) { return entityTables->pickups[i].get(); }
};

}  // namespace

TEST_F(Pickups, ALimitOfZeroNeverSpawns) {
    settings.maxPickups = 0;
    for (int i = 0; i < 50; ++i) runPickupStep();
    EXPECT_EQ(countPickups(), 0);
}

TEST_F(Pickups, AtTheLimitTheNextSpawnWaitsForACollection) {
    settings.maxPickups = 5;
    addFarPickups(5);
    for (int i = 0; i < 10; ++i) runPickupStep();
    EXPECT_EQ(countPickups(), 5);

    slot(2)->x = 100;
    slot(2)->y = 120;
    runPickupStep();
    EXPECT_EQ(countPickups(), 4);
    EXPECT_EQ(slot(2), nullptr);
    EXPECT_EQ(players[0]->heldKind, 1);
    runPickupStep();
    EXPECT_EQ(countPickups(), 5);
    ASSERT_NE(slot(2), nullptr);  // the new one takes the freed slot
}

TEST_F(Pickups, ReachIsThirtyTwoPixelsFromEitherEdge) {
    settings.maxPickups = 0;
    addPickup(100, 102 + 32.01, 0);  // beyond the left edge
    addPickup(100 + 32.01, 98, 0);   // beside the right edge
    runPickupStep();
    EXPECT_EQ(countPickups(), 2);
    EXPECT_EQ(players[0]->heldKind, 0);

    addPickup(100 + 32, 98, 0);  // exactly in reach of the right edge
    runPickupStep();
    EXPECT_EQ(countPickups(), 2);
    EXPECT_EQ(slot(2), nullptr);
    EXPECT_EQ(players[0]->heldKind, 1);

    players[0]->heldKind = 0;
    addPickup(100, 102 + 32, 0);  // exactly in reach of the left edge
    runPickupStep();
    EXPECT_EQ(countPickups(), 2);
    EXPECT_EQ(players[0]->heldKind, 1);
}

TEST_F(Pickups, TwoHeadsReachingOnePickupBothGetARocket) {
    settings.maxPickups = 0;
    placePlayer(*players[1], 100, 140, 180);
    addPickup(100, 120, 0);
    runPickupStep();
    EXPECT_EQ(countPickups(), 0);
    EXPECT_EQ(players[0]->heldKind, 1);
    EXPECT_EQ(players[1]->heldKind, 1);
}

TEST_F(Pickups, ADeadPlayerCollectsNothing) {
    settings.maxPickups = 0;
    players[0]->alive = 0;
    addPickup(100, 100, 0);
    runPickupStep();
    EXPECT_EQ(countPickups(), 1);
    EXPECT_EQ(players[0]->heldKind, 0);
}

TEST_F(Pickups, SpawnDrawsXThenYFromTheGenerator) {
    settings.maxPickups = 1;
    seedRandom(1);
    runPickupStep();
    ASSERT_NE(slot(0), nullptr);
    EXPECT_EQ(slot(0)->x, 41 % 668 + 50);
    EXPECT_EQ(slot(0)->y, 18467 % 668 + 50);
    EXPECT_EQ(slot(0)->kind, 1);
}

class PickupsInFrames : public Pickups {
protected:
    void SetUp() override {
        writeConfig(matchSettings());
        app = std::make_unique<App>();
        app->frameTime = 16;
        Pickups::SetUp();
    }
    void TearDown() override {
        delete app->timer;
        Pickups::TearDown();
    }
    std::unique_ptr<App> app;
};

TEST_F(PickupsInFrames, AFinishedRoundCollectsAndSpawnsNothing) {
    settings.pickupsEnabled = 1;
    players[1]->alive = 0;
    addPickup(100, 110, 0);
    for (int i = 0; i < 5; ++i) gameSceneFrame(*app);
    EXPECT_EQ(countPickups(), 1);
    EXPECT_EQ(players[0]->heldKind, 0);
}

TEST_F(PickupsInFrames, DisabledPickupsLeaveTheTableEmpty) {
    settings.pickupsEnabled = 0;
    settings.maxPickups = 200;
    for (int i = 0; i < 100; ++i) gameSceneFrame(*app);
    EXPECT_EQ(entityTables->pickups.size(), 200u);
    for (const auto& pickup : entityTables->pickups) EXPECT_EQ(pickup, nullptr);
}
