// The random generator's sequence and the round start: placement by five draws per player,
// the round count and the round's render state.
#include "game/scenes/round_start.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/context.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

namespace {

// The first ten values of the generator seeded with 1, as published for this generator.
constexpr int kSeedOneDraws[10] = {41,    18467, 6334,  26500, 19169,
                                   15724, 11478, 29358, 26962, 24464};

using RoundStart = GlTest;

// Starts a round from seed 1 over a stencil full of old marks.
void startRoundOverOldMarks() {
    glClearStencil(1);
    glClear(GL_STENCIL_BUFFER_BIT);
    seedRandom(1);
    startRound();
}

}  // namespace

TEST(Random, SeedOneGivesThePublishedSequence) {
    seedRandom(1);
    for (int expected : kSeedOneDraws) EXPECT_EQ(nextRandom(), expected);
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
}

TEST_F(RoundStart, PlacesEachPlayerByItsFiveDrawsAndRevivesIt) {
    startGame(matchSettings());
    world->players[0]->alive = 0;
    world->players[1]->score = 3;
    glClearColor(1, 1, 1, 1);  // the intro leaves black behind; the round brings its own colour
    glAlphaFunc(GL_ALWAYS, 0.5f);
    startRoundOverOldMarks();

    for (int i = 0; i < 2; ++i) {
        const int* d = kSeedOneDraws + 5 * i;  // x factor, y factor, x step, y step, heading
        const Player& player = *world->players[i];
        EXPECT_EQ(player.trail[1].centerX, (d[0] % 3 + 1) * (d[2] % 200 + 28)) << i;
        EXPECT_EQ(player.trail[1].centerY, (d[1] % 3 + 1) * (d[3] % 200 + 28)) << i;
        EXPECT_EQ(player.angle, d[4] % 360) << i;
        EXPECT_EQ(player.pointCount, 2u) << i;
        EXPECT_EQ(player.alive, 1) << i;
    }
    EXPECT_EQ(world->players[1]->score, 3);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    EXPECT_EQ(stencilAt(100, 100), 0);
    EXPECT_EQ(stencilAt(1000, 700), 0);

    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
    GLfloat alpha[2] = {}, clear[4] = {};
    glGetFloatv(GL_ALPHA_TEST_FUNC, &alpha[0]);
    glGetFloatv(GL_ALPHA_TEST_REF, &alpha[1]);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(alpha[0], GL_NOTEQUAL);
    EXPECT_EQ(alpha[1], 0.0f);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(clear[i], (10 + 10 * i) / 255.0f) << i;
}

TEST_F(RoundStart, WithoutPlayersDrawsNothingButStillCountsAndClears) {
    Settings s = matchSettings();
    s.playerCount = 0;
    startGame(s);
    startRoundOverOldMarks();
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(world->scenes.roundCounter, 1);
    EXPECT_EQ(stencilAt(384, 384), 0);
    EXPECT_TRUE(world->players[0]->trail.empty());  // created, but never placed
}
