// The font's glyph map and drawText's quads, with a plain white texture and with the real font.
#include "gfx/text.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>

#include "gfx/image_names.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

struct Cell {
    bool found;
    double s, t;
};

Cell cellOf(unsigned char c) {
    Cell cell{false, -1, -1};
    cell.found = glyphCell(c, cell.s, cell.t);
    return cell;
}

// Pixels that are not the black background.
int litPixels(int x0, int y0, int x1, int y1) {
    return countPixels(x0, y0, x1, y1, 0, 255) - countPixels(x0, y0, x1, y1, 0, 0);
}

int litPixelsAnywhere() {
    return litPixels(0, 0, 1024, 768);
}

class Text : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ilInit();
        iluInit();
        resetTextureCache();
        resizeTextureTable(5);
        glEnable(GL_TEXTURE_2D);
    }

    // A plain white texture: every glyph quad comes out as a solid white rectangle.
    TextureId whiteFont() {
        folder = makeScratchFolder("quorl-text");
        path = (folder / "white.png").string();
        writeFile(path, encodePng(4, 4, 2, 8, std::vector<std::uint8_t>(48, 255)));
        return loadTexture(path.c_str());
    }

    // The quad of a whole glyph from (x, y), `w` by `h` pixels, is lit and nothing else is.
    static void expectOnlyQuads(std::initializer_list<std::array<int, 4>> quads) {
        int total = 0;
        for (const auto& [x, y, w, h] : quads) {
            EXPECT_EQ(litPixels(x, y, x + w, y + h), w * h) << "quad at " << x << "," << y;
            total += w * h;
        }
        EXPECT_EQ(litPixelsAnywhere(), total);
    }

    void TearDown() override {
        GlTest::TearDown();
        if (!folder.empty()) fs::remove_all(folder);
    }

    fs::path folder;
    std::string path;
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
        const Cell cell = cellOf(expected.c);
        EXPECT_TRUE(cell.found) << int{expected.c};
        EXPECT_DOUBLE_EQ(cell.s, expected.s) << int{expected.c};
        EXPECT_DOUBLE_EQ(cell.t, expected.t) << int{expected.c};
    }
    for (const unsigned char c : {' ', '%', ';', '\n', '\0', '\x80', '\xFF', '\xC0'})
        EXPECT_FALSE(cellOf(c).found) << int{c};
}

TEST_F(Text, GlyphsAre32By64UnitsOnePenStepApart) {
    drawText(100, 100, 1.0, "1 1", whiteFont());
    expectOnlyQuads({{100, 100, 32, 64}, {164, 100, 32, 64}});
}

TEST_F(Text, HalfScaleHalvesGlyphsAndSteps) {
    drawText(100, 100, 0.5, "1 1", whiteFont());
    expectOnlyQuads({{100, 100, 16, 32}, {132, 100, 16, 32}});
}

TEST_F(Text, CharactersWithoutCellsDrawNothingButAdvance) {
    drawText(100, 100, 1.0,
             "%;\n\x80"
             "7",
             whiteFont());
    expectOnlyQuads({{228, 100, 32, 64}});
}

TEST_F(Text, EmptyTextDrawsNothing) {
    drawText(100, 100, 1.0, "", whiteFont());
    EXPECT_EQ(litPixelsAnywhere(), 0);
}

TEST_F(Text, LeavesTheModelViewMatrixAsItFoundIt) {
    const TextureId font = whiteFont();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(5, 7, 0);
    GLdouble before[16], after[16];
    GLint depthBefore = 0, depthAfter = 0;
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    drawText(100, 100, 0.5, "Ab 12", font);
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    glPopMatrix();
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
}

TEST_F(Text, RealFontDrawsEachGlyphInsideItsOwnBox) {
    const TextureId font = loadTexture(kFontImage);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const char text[] = "Press <SPACE>";
    drawText(10, 730, 0.5, text, font);
    // The underscore sits low in its cell: the glyph is drawn the right way up.
    drawText(10, 600, 1.0, "_", font);
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
    EXPECT_EQ(litPixelsAnywhere(), inBoxes + underscore);
}
