// The slot tables of pickups and rockets: first free slot, growth by ten, safe removal.
#include "game/entities/entity_tables.h"

#include <gtest/gtest.h>

namespace {

Rocket rocketAt(double x) {
    return Rocket{x, 0, 1, 0, 0, 0, 16, 0};
}

}  // namespace

TEST(EntityTables, AFullTableGrowsByTenAndTheNewRecordTakesTheFirstNewSlot) {
    EntityTables tables;
    ASSERT_EQ(tables.pickups.size(), 200u);
    ASSERT_EQ(tables.rockets.size(), 10u);
    for (int i = 0; i < 200; ++i) storeEntity(tables.pickups, Pickup{1.0 * i, 0, 1, 0, 0});
    EXPECT_EQ(tables.pickups.size(), 200u);
    EXPECT_EQ(storeEntity(tables.pickups, Pickup{999, 0, 1, 0, 0}), 200);
    EXPECT_EQ(tables.pickups.size(), 210u);
    EXPECT_EQ(tables.pickups[200]->x, 999);
    EXPECT_EQ(tables.pickups[199]->x, 199);

    for (int i = 0; i < 11; ++i) storeEntity(tables.rockets, rocketAt(i));
    EXPECT_EQ(tables.rockets.size(), 20u);
    EXPECT_EQ(tables.rockets[10]->x, 10);
    EXPECT_FALSE(tables.rockets[11]);
}

TEST(EntityTables, AFreedSlotIsReusedBeforeTheTableGrows) {
    EntityTables tables;
    for (int i = 0; i < 10; ++i) storeEntity(tables.rockets, rocketAt(i));
    removeEntity(tables.rockets, 3);
    EXPECT_FALSE(tables.rockets[3]);
    EXPECT_EQ(storeEntity(tables.rockets, rocketAt(30)), 3);
    EXPECT_EQ(tables.rockets[3]->x, 30);
    EXPECT_EQ(tables.rockets.size(), 10u);
    EXPECT_EQ(storeEntity(tables.rockets, rocketAt(40)), 10);
    EXPECT_EQ(tables.rockets.size(), 20u);
}

TEST(EntityTables, RemovingPastTheEndOrAnEmptySlotChangesNothing) {
    EntityTables tables;
    storeEntity(tables.rockets, rocketAt(5));
    removeEntity(tables.rockets, 10);
    removeEntity(tables.rockets, 5000);
    removeEntity(tables.rockets, 4);
    removeEntity(tables.rockets, 4);
    EXPECT_EQ(tables.rockets.size(), 10u);
    ASSERT_TRUE(tables.rockets[0]);
    EXPECT_EQ(tables.rockets[0]->x, 5);
}
