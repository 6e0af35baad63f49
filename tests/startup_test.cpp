// Start-up against the offscreen context: players of the enabled slots, names, pattern
// textures, the fixed GL state, the first texture ids and a missing pattern image.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/context.h"
#include "core/text_error.h"
#include "game/init_game.h"
#include "game/players/player.h"
#include "gfx/image_names.h"
#include "tests/support.h"

namespace {

using Startup = GlTest;

// Settings with exactly these slots enabled, each named "P<slot>" with a pattern of its own.
Settings slotsOnly(std::initializer_list<int> slots, int playerCount) {
    static const char* const kPatterns[kSlotCount] = {"red.png",    "green.png", "blue.png",
                                                      "yellow.png", "cyan.png",  "white.png"};
    Settings s = matchSettings();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        s.slotEnabled[slot] = 0;
        std::strcpy(s.playerName[slot], ("P" + std::to_string(slot)).c_str());
        std::strcpy(s.patternFile[slot], kPatterns[slot]);
    }
    for (int slot : slots) s.slotEnabled[slot] = 1;
    s.playerCount = static_cast<std::uint8_t>(playerCount);
    return s;
}

}  // namespace

// Slots 1, 3 and 4, two naming one file, with a player count of 2: all three are created (with
// names cut to ten characters), only two take part.
TEST_F(Startup, EnabledSlotsFillThePlayerTableInSlotOrderWithTheirPatterns) {
    Settings s = slotsOnly({1, 3, 4}, 2);
    std::strcpy(s.patternFile[4], "yellow.png");  // the same file as slot 3
    std::strcpy(s.playerName[3], "Abcdefghij");
    std::memcpy(s.playerName[4], "KLMNOPQRSTU", kNameFieldSize);  // no terminator
    world->settings = s;  // past the settings' own clean-up, so the player copy must cut the name
    initGame();
    const char* names[] = {"P1", "Abcdefghij", "KLMNOPQRST"};
    const char* patterns[] = {"patterns/green.png", "patterns/yellow.png", "patterns/yellow.png"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(world->players[i], nullptr);
        EXPECT_STREQ(world->players[i]->name, names[i]);
        EXPECT_EQ(textureRecord(world->players[i]->patternTexture).fileName, patterns[i]);
        EXPECT_EQ(world->players[i]->speed, 100);
        EXPECT_EQ(world->players[i]->lineWidth, 4);
        EXPECT_EQ(world->players[i]->turnRate, 180);
        EXPECT_EQ(world->players[i]->patternLength, 32u);
    }
    // Two slots naming one file share its texture.
    EXPECT_EQ(world->players[1]->patternTexture, world->players[2]->patternTexture);
    for (int i = 3; i < kSlotCount; ++i) EXPECT_EQ(world->players[i], nullptr) << i;
    EXPECT_EQ(activePlayerCount(), 2);
}

TEST_F(Startup, SetsTheFixedRenderStateAndLoadsFontAndLogosFirst) {
    startGame(matchSettings());
    for (GLenum cap : {GL_BLEND, GL_CULL_FACE, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_TEXTURE_2D})
        EXPECT_TRUE(glIsEnabled(cap)) << cap;
    const std::pair<GLenum, GLfloat> state[] = {
        {GL_BLEND_SRC, GL_SRC_ALPHA}, {GL_BLEND_DST, GL_ONE_MINUS_SRC_ALPHA},
        {GL_CULL_FACE_MODE, GL_BACK}, {GL_FRONT_FACE, GL_CCW},
        {GL_POINT_SIZE, 5},           {GL_LINE_WIDTH, 3}};
    for (const auto& [name, expected] : state) {
        GLfloat value = 0;
        glGetFloatv(name, &value);
        EXPECT_EQ(value, expected) << name;
    }
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const GLfloat expectedClear[4] = {10 / 255.0f, 20 / 255.0f, 30 / 255.0f, 0};
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(clear[i], expectedClear[i]) << i;

    EXPECT_EQ(textureRecord(0).fileName, kFontImage);
    EXPECT_EQ(world->scenes.wideLogoTexture, 1u);
    EXPECT_EQ(world->scenes.squareLogoTexture, 2u);
    EXPECT_EQ(textureRecord(1).fileName, kWideLogoImage);
    EXPECT_EQ(textureRecord(2).fileName, kSquareLogoImage);
}

TEST_F(Startup, AMissingPatternImageEndsStartUpNamingIt) {
    Settings s = matchSettings();
    std::strcpy(s.patternFile[5], "nosuch.png");
    try {
        startGame(s);
        FAIL() << "start-up went on without the pattern";
    } catch (const TextError& error) {
        EXPECT_STREQ(error.text, "Texture not found:\npatterns/nosuch.png");
    }
}
