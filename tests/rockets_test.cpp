// Rockets: firing from a player, flight, hits through the stencil, hole stamping and the table.
#include "game/entities/rockets.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "app/context.h"
#include "game/entities/entity_tables.h"
#include "game/players/movement.h"
#include "game/scenes/round_start.h"
#include "gfx/image_names.h"
#include "tests/support.h"

namespace {

class Rockets : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startGame(matchSettings());
        startRound();
    }

    static Player& red() { return *world->players[0]; }
    static Player& cyan() { return *world->players[1]; }

    static void update(Player& player, int frames = 1, double frameTime = 16,
                       std::uint32_t holeRadius = 16) {
        for (int i = 0; i < frames; ++i) updatePlayer(player, 0, holeRadius, 20, frameTime);
    }

    // A rocket flying right from (x, y) with the game's images.
    static void spawnRight(double x, double y, double holeRadius = 16) {
        spawnRocket(x, y, loadTexture(kRocketImage), loadTexture(kHoleImage), 1, 0, holeRadius);
    }

    static int rocketCount() {
        int count = 0;
        for (const auto& rocket : world->entityTables->rockets) count += rocket ? 1 : 0;
        return count;
    }

    static const Rocket& firstRocket() {
        for (const auto& rocket : world->entityTables->rockets)
            if (rocket) return *rocket;
        throw std::runtime_error("no rocket");
    }

    // Flies every rocket one frame as the arena drawing does.
    static void flyRockets(double frameTime) {
        glDisable(GL_STENCIL_TEST);
        updateRockets(frameTime);
        removeDeadRockets();
        glEnable(GL_STENCIL_TEST);
    }
};

}  // namespace

TEST_F(Rockets, FiredOnceFromBesideTheHeadOnlyWhileHeldAndFiring) {
    const std::uint32_t firstFree = textureSlotCount();  // start-up fills the table
    placePlayer(red(), 200, 300, 0);
    red().fire = 1;
    update(red());
    EXPECT_EQ(rocketCount(), 0);  // nothing held
    red().fire = 0;
    red().heldKind = 1;
    update(red());
    EXPECT_EQ(rocketCount(), 0);  // held but not fired
    EXPECT_EQ(red().heldKind, 1);

    // The start lies 4.5 pixels off the head centre on each axis, by the velocity's signs.
    const double cases[][3] = {
        {0, 4.5, 4.5}, {135, -4.5, 4.5}, {225, -4.5, -4.5}, {300, 4.5, -4.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        clearRockets();
        placePlayer(red(), 200, 300, c[0]);
        red().heldKind = red().fire = 1;
        update(red(), 3);
        ASSERT_EQ(rocketCount(), 1);
        EXPECT_EQ(red().heldKind, 0);
        const Rocket& rocket = firstRocket();
        EXPECT_NEAR(rocket.x, 200 + c[1], 1e-9);
        EXPECT_NEAR(rocket.y, 300 + c[2], 1e-9);
        EXPECT_NEAR(rocket.dirX, std::cos(c[0] * M_PI / 180), 1e-9);
        EXPECT_NEAR(rocket.dirY, std::sin(c[0] * M_PI / 180), 1e-9);
        EXPECT_EQ(rocket.holeRadius, 16u);
        EXPECT_EQ(rocket.dead, 0);
        // The hole image is loaded before the rocket image.
        EXPECT_EQ(rocket.holeTexture, firstFree);
        EXPECT_EQ(rocket.texture, firstFree + 1);
        EXPECT_EQ(textureRecord(rocket.holeTexture).fileName, kHoleImage);
        EXPECT_EQ(textureRecord(rocket.texture).fileName, kRocketImage);
    }
}

TEST_F(Rockets, ARocketFliesOnThroughAGap) {
    placePlayer(cyan(), 400, 100, 90);
    update(cyan(), 62);  // up to y 199.2
    makeGap(cyan(), 20);
    update(cyan(), 62);
    ASSERT_EQ(stencilAt(400, 210), 0);
    ASSERT_EQ(stencilAt(400, 150), 1);
    // 5 ms frames move a rocket 2 pixels, so it cannot step over a 4 pixel line.
    spawnRight(350, 210);
    for (int i = 0; i < 40; ++i) flyRockets(5);
    ASSERT_EQ(rocketCount(), 1);
    EXPECT_GT(firstRocket().x, 420);
    // The same flight across the marked line stops there.
    clearRockets();
    spawnRight(350, 150);
    for (int i = 0; i < 40; ++i) flyRockets(5);
    EXPECT_EQ(rocketCount(), 0);
    EXPECT_EQ(stencilAt(400, 150), 0);
}

TEST_F(Rockets, AHitClearsTheDiscOfTheHoleImageAndRestoresTheState) {
    markStencil(200, 200, 200, 200);
    spawnRight(296, 300, 20);
    updateRockets(10);  // from x 296 to exactly 300, onto marked stencil
    ASSERT_EQ(firstRocket().dead, 1);
    for (int y = 276; y < 324; ++y) {
        for (int x = 276; x < 324; ++x) {
            const double d = std::hypot(x + 0.5 - 300, y + 0.5 - 300);
            if (d < 19 || d > 21) {
                ASSERT_EQ(stencilAt(x, y), d > 21 ? 1 : 0) << x << "," << y;
            }
        }
    }
    const auto state = [](GLenum name) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    };
    EXPECT_EQ(state(GL_STENCIL_FUNC), GL_EQUAL);
    EXPECT_EQ(state(GL_STENCIL_REF), 1);
    EXPECT_EQ(state(GL_STENCIL_VALUE_MASK), 1);
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    removeDeadRockets();
    EXPECT_EQ(rocketCount(), 0);
}

TEST_F(Rockets, AHoleErasesEveryPlayersLineIncludingTheShooters) {
    placePlayer(cyan(), 400, 250, 90);
    update(cyan(), 63);  // x 398 to 402, y 250 to 350
    placePlayer(red(), 330, 295.5, 0);
    update(red(), 30);  // head at x 378
    red().heldKind = red().fire = 1;
    // From (382.5, 300) the rocket flies 4 pixels a frame and meets Cyan's line at x 398.5;
    // a hole of radius 30 there reaches back over Red's head.
    for (int i = 0; i < 10; ++i) {
        update(red(), 1, 10, 30);
        flyRockets(10);
        if (rocketCount() == 0) break;
    }
    ASSERT_EQ(rocketCount(), 0);
    EXPECT_EQ(red().alive, 1);
    EXPECT_EQ(stencilAt(400, 300), 0);  // Cyan's line
    EXPECT_EQ(stencilAt(380, 295), 0);  // Red's own line
    EXPECT_EQ(stencilAt(400, 340), 1);
    EXPECT_EQ(stencilAt(350, 295), 1);
}

TEST_F(Rockets, HoleRadiusZeroDiesWithoutErasing) {
    markStencil(200, 200, 200, 200);
    spawnRight(296, 300, 0);
    flyRockets(10);
    EXPECT_EQ(rocketCount(), 0);
    for (int y = 290; y < 310; ++y) {
        for (int x = 290; x < 310; ++x) ASSERT_EQ(stencilAt(x, y), 1) << x << "," << y;
    }
}

TEST_F(Rockets, ARocketLeavingTheArenaDiesUndrawn) {
    glClear(GL_COLOR_BUFFER_BIT);
    const Rgba background = colorAt(700, 100);
    spawnRight(700, 300);
    spawnRight(767, 500);
    flyRockets(10);  // to x 704 and 771
    EXPECT_EQ(rocketCount(), 1);
    const auto drawn = [&](int cx, int cy) {
        int count = 0;
        for (int y = cy - 8; y < cy + 8; ++y) {
            for (int x = cx - 8; x < cx + 8; ++x) {
                const Rgba c = colorAt(x, y);
                count += c.r != background.r || c.g != background.g;
            }
        }
        return count;
    };
    EXPECT_GT(drawn(704, 300), 20);
    EXPECT_EQ(drawn(771, 500), 0);
}

TEST_F(Rockets, RocketsBeyondAFullTableLandInTheGrownSlots) {
    ASSERT_EQ(world->entityTables->rockets.size(), 10u);
    for (int i = 0; i < 12; ++i) spawnRocket(10.0 * i, 5, 0, 0, 1, 0, 16);
    ASSERT_EQ(world->entityTables->rockets.size(), 20u);
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(world->entityTables->rockets[i]) << "slot " << i;
        EXPECT_EQ(world->entityTables->rockets[i]->x, 10.0 * i);
    }
    EXPECT_EQ(rocketCount(), 12);
}
