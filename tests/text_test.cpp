// The font's glyph map and drawText's quads, with a plain white texture and with the real font.
#include "gfx/text.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

#include "gfx/image_names.h"
#include "tests/support.h"

namespace {

// Pixels that are not the black background.
int litPixels(int x0 = 0, int y0 = 0, int x1 = 1024, int y1 = 768) {
    return countPixels(x0, y0, x1, y1, 0, 255) - countPixels(x0, y0, x1, y1, 0, 0);
}

class Text : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        startTextureManager();
        glEnable(GL_TEXTURE_2D);
        // A plain white "font": every glyph quad comes out as a solid white rectangle.
        writeFile("white.png", encodePng(4, 4, 2, 8, std::vector<std::uint8_t>(48, 255)));
        white = loadTexture("white.png");
    }

    // Draws `text` at (100, 100) on a clear window; exactly these quads {x, y, w, h} are lit.
    void expectQuads(double scale, const char* text,
                     std::initializer_list<std::array<int, 4>> quads) const {
        glClear(GL_COLOR_BUFFER_BIT);
        drawText(100, 100, scale, text, white);
        int total = 0;
        for (const auto& [x, y, w, h] : quads) {
            EXPECT_EQ(litPixels(x, y, x + w, y + h), w * h) << "quad at " << x << "," << y;
            total += w * h;
        }
        EXPECT_EQ(litPixels(), total) << '"' << text << '"';
    }

    TextureId white = 0;
};

}  // namespace

TEST(GlyphCell, MapsCharactersToTheirFontCells) {
    const struct {
        unsigned char c;
        double s, t;
    } cases[] = {
        {'A', 0.0, 0.0},          {'Z', 25 * 0.03125, 0.0},  {'a', 0.0, 0.25},
        {'z', 0.78125, 0.25},     {'0', 0.0, 0.75},          {'9', 9 * 0.03125, 0.75},
        {'.', 0.3125, 0.75},      {'<', 18 * 0.03125, 0.75}, {'"', 31 * 0.03125, 0.75},
        {':', 18 * 0.03125, 0.5}, {0xC1, 0.0, 0.5},          {0xD6, 4 * 0.03125, 0.5},
        {0xD5, 5 * 0.03125, 0.5}, {0xFB, 17 * 0.03125, 0.5},
    };
    for (const auto& expected : cases) {
        double s = -1, t = -1;
        EXPECT_TRUE(glyphCell(expected.c, s, t)) << int{expected.c};
        EXPECT_DOUBLE_EQ(s, expected.s) << int{expected.c};
        EXPECT_DOUBLE_EQ(t, expected.t) << int{expected.c};
    }
    for (const unsigned char c : {' ', '%', ';', '\n', '\0', '\x80', '\xFF', '\xC0'}) {
        double s, t;
        EXPECT_FALSE(glyphCell(c, s, t)) << int{c};
    }
}

TEST_F(Text, GlyphsAre32By64UnitsTimesTheScaleOnePenStepApart) {
    expectQuads(1.0, "1 1", {{100, 100, 32, 64}, {164, 100, 32, 64}});
    expectQuads(0.5, "1 1", {{100, 100, 16, 32}, {132, 100, 16, 32}});
}

TEST_F(Text, CharactersWithoutCellsDrawNothingButAdvance) {
    expectQuads(1.0, "", {});
    expectQuads(1.0,
                "%;\n\x80"
                "7",
                {{228, 100, 32, 64}});
}

TEST_F(Text, LeavesTheModelViewMatrixAsItFoundIt) {
    const auto modelView = [] {  // the matrix, then the stack depth
        std::array<GLdouble, 17> state{};
        glGetDoublev(GL_MODELVIEW_MATRIX, state.data());
        glGetDoublev(GL_MODELVIEW_STACK_DEPTH, &state[16]);
        return state;
    };
    glTranslated(5, 7, 0);
    const auto before = modelView();
    drawText(100, 100, 0.5, "Ab 12", white);
    EXPECT_EQ(modelView(), before);
}

TEST_F(Text, RealFontDrawsEachGlyphInsideItsOwnBox) {
    const TextureId font = loadTexture(kFontImage);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const char text[] = "Press <SPACE>";
    drawText(10, 730, 0.5, text, font);
    drawText(10, 600, 1.0, "_", font);  // sits low in its cell when drawn the right way up
    saveFrame("text-press-space");

    int inBoxes = 0;
    for (int i = 0; text[i] != '\0'; ++i) {
        const int lit = litPixels(10 + 16 * i, 730, 10 + 16 * (i + 1), 762);
        if (text[i] == ' ')
            EXPECT_EQ(lit, 0) << "space box";
        else
            EXPECT_GT(lit, 0) << "box of '" << text[i] << "'";
        inBoxes += lit;
    }
    const int underscore = litPixels(10, 600, 42, 632);
    EXPECT_GT(underscore, 0);
    EXPECT_EQ(litPixels(10, 632, 42, 664), 0);
    EXPECT_EQ(litPixels(), inBoxes + underscore);
}
