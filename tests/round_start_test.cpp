// The random generator's sequence and the round start: placement by five draws per player,
// the round count and the round's render state.
#include "game/scenes/round_start.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/random.h"
#include "game/players/player.h"
#include "game/scenes/scene_state.h"
#include "tests/support.h"

namespace {

// The first ten values of the generator seeded with 1, as published for this generator.
constexpr int kSeedOneDraws[10] = {41,    18467, 6334,  26500, 19169,
                                   15724, 11478, 29358, 26962, 24464};

struct Placement {
    int x, y, heading;
};

Placement placementFrom(const int* d) {
    return {(d[0] % 3 + 1) * (d[2] % 200 + 28), (d[1] % 3 + 1) * (d[3] % 200 + 28), d[4] % 360};
}

class RoundStart : public GlTest {};

}  // namespace

TEST(Random, SeedOneGivesThePublishedSequence) {
    seedRandom(1);
    for (int expected : kSeedOneDraws) EXPECT_EQ(nextRandom(), expected);
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
}

TEST_F(RoundStart, PlacesEachPlayerByItsFiveDrawsAndRevivesIt) {
    startGame(matchSettings());
    players[0]->alive = 0;
    players[1]->score = 3;
    glClearColor(1, 1, 1, 1);  // the intro leaves black behind; the round brings its own colour
    glAlphaFunc(GL_ALWAYS, 0.5f);
    glClearStencil(1);
    glClear(GL_STENCIL_BUFFER_BIT);
    seedRandom(1);
    startRound();

    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Placement p = placementFrom(kSeedOneDraws + 5 * i);
        const Player& player = *players[i];
        EXPECT_EQ(player.trail[1].centerX, p.x);
        EXPECT_EQ(player.trail[1].centerY, p.y);
        EXPECT_EQ(player.angle, p.heading);
        EXPECT_EQ(player.pointCount, 2u);
        EXPECT_EQ(player.alive, 1);
    }
    EXPECT_EQ(players[1]->score, 3);
    EXPECT_EQ(roundCounter, 1);
    EXPECT_EQ(stencilAt(100, 100), 0);
    EXPECT_EQ(stencilAt(1000, 700), 0);

    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
    GLint alphaFunc = 0;
    GLfloat alphaRef = -1, clear[4] = {};
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
    glGetFloatv(GL_ALPHA_TEST_REF, &alphaRef);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(alphaFunc, GL_NOTEQUAL);
    EXPECT_EQ(alphaRef, 0.0f);
    EXPECT_FLOAT_EQ(clear[0], 10 / 255.0f);
    EXPECT_FLOAT_EQ(clear[1], 20 / 255.0f);
    EXPECT_FLOAT_EQ(clear[2], 30 / 255.0f);
}

TEST_F(RoundStart, WithoutPlayersDrawsNothingButStillCountsAndClears) {
    Settings s = matchSettings();
    s.playerCount = 0;
    startGame(s);
    glClearStencil(1);
    glClear(GL_STENCIL_BUFFER_BIT);
    seedRandom(1);
    startRound();
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(roundCounter, 1);
    EXPECT_EQ(stencilAt(384, 384), 0);
    EXPECT_EQ(players[0]->pointCount, 2u);  // created, but never placed
    EXPECT_TRUE(players[0]->trail.empty());
}
