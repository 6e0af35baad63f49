// Reading the keys: each enabled slot's keys steer the player at its table index.
#include "game/players/controls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/context.h"
#include "app/window.h"
#include "core/settings.h"
#include "game/players/player.h"

namespace {

// Slots 0 (arrows) and 3 (I, P, O) enabled: their players sit at indexes 0 and 1.
class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        world->settings = Settings{};
        world->settings.slotEnabled[0] = world->settings.slotEnabled[3] = 1;
        world->settings.playerCount = 2;
        world->players[0] = new Player;
        world->players[1] = new Player;
    }
    void TearDown() override {
        destroyPlayers();
        world->settings = Settings{};
        std::memset(world->controls.KeyState, 0, sizeof world->controls.KeyState);
    }

    // Sets exactly these keys down, reads the controls and returns both players' flags as
    // "LRF" letters, e.g. "L-- --F".
    static std::string press(std::initializer_list<int> keys) {
        std::memset(world->controls.KeyState, 0, sizeof world->controls.KeyState);
        for (int key : keys) world->controls.KeyState[key] = 1;
        readControls();
        std::string flags;
        for (int i = 0; i < 2; ++i) {
            if (i > 0) flags += ' ';
            flags += world->players[i]->turnLeft ? 'L' : '-';
            flags += world->players[i]->turnRight ? 'R' : '-';
            flags += world->players[i]->fire ? 'F' : '-';
        }
        return flags;
    }
};

}  // namespace

TEST_F(Controls, EachEnabledSlotsKeysSteerItsOwnPlayerAndOthersDoNothing) {
    EXPECT_EQ(press({0x25}), "L-- ---");
    EXPECT_EQ(press({0x27}), "-R- ---");
    EXPECT_EQ(press({0x26}), "--F ---");
    EXPECT_EQ(press({0x49}), "--- L--");
    EXPECT_EQ(press({0x50}), "--- -R-");
    EXPECT_EQ(press({0x4F}), "--- --F");
    EXPECT_EQ(press({0x25, 0x50, 0x4F}), "L-- -RF");
    EXPECT_EQ(press({}), "--- ---");
    // The keys of the disabled slots 1, 2, 4 and 5.
    EXPECT_EQ(press({0x6F, 0x6D, 0x6A, 0x2D, 0x21, 0x24, 'V', 'N', 'B', 'Q', 'E', 'W'}), "--- ---");
}

// A slot the computer steers takes its computer player's keys alone: its own keys on the
// keyboard do nothing for it, and the controllers pass it by.
TEST_F(Controls, AComputerSlotTakesOnlyItsComputersKeys) {
    world->controls.computer[3] = ComputerLevel::normal;
    world->computers.keys[3] = KeyChoice{false, true, true};
    EXPECT_EQ(press({0x49, 0x4F}), "--- -RF");
    EXPECT_EQ(press({0x25}), "L-- -RF");
    world->computers.keys[3] = KeyChoice{};
    EXPECT_EQ(press({0x49, 0x50, 0x4F}), "--- ---");
    assignControllers();
    ASSERT_EQ(world->controls.seatKeys.size(), 1u);
    EXPECT_EQ(world->controls.seatKeys[0].left, 0x25);
    world->controls.computer[3] = ComputerLevel::none;
    world->computers.keys[3] = KeyChoice{};
    assignControllers();
}

TEST_F(Controls, BothTurnKeysTogetherGoStraight) {
    EXPECT_EQ(press({0x25, 0x27}), "--- ---");
    EXPECT_EQ(press({0x49, 0x50, 0x4F}), "--- --F");
    // Left held, right added, left let go.
    EXPECT_EQ(press({0x25}), "L-- ---");
    EXPECT_EQ(press({0x25, 0x27}), "--- ---");
    EXPECT_EQ(press({0x27}), "-R- ---");
}
