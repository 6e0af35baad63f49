// Pickups: spawning up to the limit and collecting within reach of a head's edges.
#include "game/entities/pickups.h"

#include <gtest/gtest.h>

#include "app/context.h"
#include "game/entities/entity_tables.h"
#include "game/players/player.h"
#include "game/random.h"
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
        placePlayer(*world->players[0], 100, 100, 0);
        placePlayer(*world->players[1], 700, 700, 180);
    }

    void addFarPickups(int count) {
        for (int i = 0; i < count; ++i) addPickup(400 + 40 * i, 400, 0);
    }

    Pickup* slot(int i) { return world->entityTables->pickups[i].get(); }
};

}  // namespace

TEST_F(Pickups, ALimitOfZeroNeverSpawns) {
    world->settings.maxPickups = 0;
    for (int i = 0; i < 50; ++i) runPickupStep();
    EXPECT_EQ(countPickups(), 0);
}

TEST_F(Pickups, AtTheLimitTheNextSpawnWaitsForACollection) {
    world->settings.maxPickups = 5;
    addFarPickups(5);
    for (int i = 0; i < 10; ++i) runPickupStep();
    EXPECT_EQ(countPickups(), 5);

    slot(2)->x = 100;
    slot(2)->y = 120;
    runPickupStep();
    EXPECT_EQ(countPickups(), 4);
    EXPECT_EQ(slot(2), nullptr);
    EXPECT_EQ(world->players[0]->heldKind, 1);
    runPickupStep();
    EXPECT_EQ(countPickups(), 5);
    ASSERT_NE(slot(2), nullptr);  // the new one takes the freed slot
}

TEST_F(Pickups, ReachIsThirtyTwoPixelsFromEitherEdge) {
    world->settings.maxPickups = 0;
    // Just beyond and exactly at reach of the left edge (y 102) and of the right edge (y 98).
    const struct {
        double x, y;
        int reached;
    } cases[] = {{100, 134.01, 0}, {132.01, 98, 0}, {132, 98, 1}, {100, 134, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        clearPickups();
        world->players[0]->heldKind = 0;
        addPickup(c.x, c.y, 0);
        runPickupStep();
        EXPECT_EQ(countPickups(), 1 - c.reached);
        EXPECT_EQ(world->players[0]->heldKind, c.reached);
    }
}

TEST_F(Pickups, TwoHeadsReachingOnePickupBothGetARocket) {
    world->settings.maxPickups = 0;
    placePlayer(*world->players[1], 100, 140, 180);
    addPickup(100, 120, 0);
    runPickupStep();
    EXPECT_EQ(countPickups(), 0);
    EXPECT_EQ(world->players[0]->heldKind, 1);
    EXPECT_EQ(world->players[1]->heldKind, 1);
}

TEST_F(Pickups, ADeadPlayerCollectsNothing) {
    world->settings.maxPickups = 0;
    world->players[0]->alive = 0;
    addPickup(100, 100, 0);
    runPickupStep();
    EXPECT_EQ(countPickups(), 1);
    EXPECT_EQ(world->players[0]->heldKind, 0);
}

TEST_F(Pickups, SpawnDrawsXThenYFromTheGenerator) {
    world->settings.maxPickups = 1;
    runPickupStep();
    ASSERT_NE(slot(0), nullptr);
    EXPECT_EQ(slot(0)->x, 41 % 668 + 50);
    EXPECT_EQ(slot(0)->y, 18467 % 668 + 50);
    EXPECT_EQ(slot(0)->kind, 1);
}
