// The picture's own framebuffer copied into a window of another size: the window gets the
// picture scaled and centred with a black border, and the game goes on drawing into its picture
// with its pixels, stencil and GL state as they were.
#include "gfx/offscreen.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <string>

#include "platform/platform.h"
#include "tests/support.h"

namespace {

// Four coloured quadrants, the left half marked 1 in the stencil, and one white column at x 100.
void drawPicture() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1024, 0, 768, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    const struct {
        float x, y, r, g, b;
    } quads[] = {{0, 0, 1, 0, 0}, {512, 0, 0, 1, 0}, {0, 384, 0, 0, 1}, {512, 384, 1, 1, 0}};
    for (const auto& q : quads) {
        glStencilFunc(GL_ALWAYS, q.x == 0 ? 1 : 0, 0xff);
        glColor3f(q.r, q.g, q.b);
        glRectf(q.x, q.y, q.x + 512, q.y + 384);
    }
    glDisable(GL_STENCIL_TEST);
    glColor3f(1, 1, 1);
    glRectf(100, 0, 101, 768);
    glEnable(GL_STENCIL_TEST);
}

std::string rgb(const Rgba& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

}  // namespace

using OffscreenTest = GlTest;

TEST_F(OffscreenTest, TheWindowGetsThePictureScaledAndTheGameKeepsItsPictureStencilAndState) {
    std::string error;
    ASSERT_TRUE(openOffscreen(platform::glFunction, error)) << error;
    drawPicture();
    // State of the game's that the copy changes on its way, and must put back.
    glClearColor(0.5f, 0.25f, 0.125f, 1.0f);
    glEnable(GL_SCISSOR_TEST);
    glScissor(10, 10, 20, 20);

    // A drawable of 800 x 384: the picture at half size, 144 px of black each side.
    presentOffscreen(800, 384);

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(stencilAt(100, 100), 1);
    EXPECT_EQ(stencilAt(900, 100), 0);
    EXPECT_EQ(rgb(colorAt(900, 700)), "255,255,0");
    std::array<GLfloat, 4> clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    EXPECT_EQ(clear, (std::array<GLfloat, 4>{0.5f, 0.25f, 0.125f, 1.0f}));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    // And the next thing drawn lands in the picture.
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glColor3f(1, 1, 1);
    glRectf(1000, 740, 1010, 750);
    EXPECT_EQ(rgb(colorAt(1005, 745)), "255,255,255");

    // The window's pixels, read with the window bound for reading and the picture put back.
    GLint picture = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &picture);
    const auto bind =
        reinterpret_cast<PFNGLBINDFRAMEBUFFEREXTPROC>(platform::glFunction("glBindFramebufferEXT"));
    const auto windowColour = [&](int x, int y) {
        bind(GL_FRAMEBUFFER_EXT, 0);
        const std::string colour = rgb(colorAt(x, y));
        bind(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(picture));
        return colour;
    };
    // Half size: quadrants between x 144 and 656, black around them.
    const struct {
        int x, y;
        const char* colour;
    } half[] = {
        {200, 50, "255,0,0"},    {600, 50, "0,255,0"}, {200, 330, "0,0,255"},
        {600, 330, "255,255,0"}, {100, 200, "0,0,0"},  {700, 200, "0,0,0"},
    };
    for (const auto& p : half) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        EXPECT_EQ(windowColour(p.x, p.y), p.colour);
    }
    // Twice the picture: the window's 1024 x 768 shows its bottom-left quarter, each pixel a
    // square of four, unfiltered, so the white column keeps its sharp edges.
    presentOffscreen(2048, 1536);
    const char* const columns[] = {"255,0,0", "255,255,255", "255,255,255", "255,0,0"};
    for (int x = 199; x <= 202; ++x) EXPECT_EQ(windowColour(x, 301), columns[x - 199]) << x;

    closeOffscreen();
    EXPECT_FALSE(offscreenOpen());
}
