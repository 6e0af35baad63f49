// Start-up against the offscreen context: players of the enabled slots, names, pattern
// textures, the fixed GL state, the first texture ids and a missing pattern image.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/init_game.h"
#include "app/text_error.h"
#include "game/players/player.h"
#include "gfx/image_names.h"
#include "tests/support.h"

namespace {

class Startup : public GlTest {};

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

std::string patternOf(const Player& player) {
    return textureRecord(player.patternTexture).fileName;
}

}  // namespace

TEST_F(Startup, EnabledSlotsFillThePlayerTableInSlotOrderFromIndexZero) {
    startGame(slotsOnly({2}, 1));
    ASSERT_NE(players[0], nullptr);
    EXPECT_STREQ(players[0]->name, "P2");
    EXPECT_EQ(patternOf(*players[0]), "patterns/blue.png");
    for (int i = 1; i < kSlotCount; ++i) EXPECT_EQ(players[i], nullptr) << i;
    resetWorld();

    startGame(slotsOnly({1, 3, 4}, 3));
    const char* names[] = {"P1", "P3", "P4"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(players[i], nullptr);
        EXPECT_STREQ(players[i]->name, names[i]);
        EXPECT_EQ(players[i]->speed, 100);
        EXPECT_EQ(players[i]->lineWidth, 4);
        EXPECT_EQ(players[i]->turnRate, 180);
        EXPECT_EQ(players[i]->patternLength, 32u);
    }
    EXPECT_EQ(patternOf(*players[1]), "patterns/yellow.png");
    EXPECT_EQ(players[3], nullptr);
}

TEST_F(Startup, SlotsBeyondThePlayerCountAreCreatedButTakeNoPart) {
    startGame(slotsOnly({0, 1, 2}, 2));
    ASSERT_NE(players[2], nullptr);
    EXPECT_STREQ(players[2]->name, "P2");
    EXPECT_EQ(activePlayerCount(), 2);
}

TEST_F(Startup, TwoSlotsNamingOneFileGetATextureEach) {
    Settings s = slotsOnly({0, 4}, 2);
    std::strcpy(s.patternFile[4], "red.png");
    startGame(s);
    const TextureId a = players[0]->patternTexture, b = players[1]->patternTexture;
    EXPECT_NE(a, b);
    EXPECT_NE(textureRecord(a).glName, textureRecord(b).glName);
    EXPECT_EQ(patternOf(*players[1]), "patterns/red.png");
}

TEST_F(Startup, NamesAreKeptUpToTenCharactersAndAlwaysTerminated) {
    Settings s = slotsOnly({0, 5}, 2);
    std::strcpy(s.playerName[0], "Abcdefghij");
    std::memcpy(s.playerName[5], "KLMNOPQRSTU", kNameFieldSize);  // no terminator
    // Straight into start-up, past the settings' own clean-up, so the player copy must cut.
    settings = s;
    initGame();
    EXPECT_STREQ(players[0]->name, "Abcdefghij");
    EXPECT_STREQ(players[1]->name, "KLMNOPQRST");
}

TEST_F(Startup, SetsTheFixedRenderStateAndLoadsFontAndLogosFirst) {
    startGame(matchSettings());
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint value = 0;
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CCW);
    GLfloat size = 0, clear[4] = {};
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 5.0f);
    glGetFloatv(GL_LINE_WIDTH, &size);
    EXPECT_EQ(size, 3.0f);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 10 / 255.0f);
    EXPECT_FLOAT_EQ(clear[1], 20 / 255.0f);
    EXPECT_FLOAT_EQ(clear[2], 30 / 255.0f);
    EXPECT_EQ(clear[3], 0.0f);

    EXPECT_EQ(textureRecord(0).fileName, kFontImage);
    EXPECT_EQ(wideLogoTexture, 1u);
    EXPECT_EQ(squareLogoTexture, 2u);
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
