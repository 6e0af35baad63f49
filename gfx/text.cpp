// The text renderer: each character's quad textured with its cell of the font image.
#include "gfx/text.h"

#include <GL/gl.h>

#include "core/glyph_map.h"

namespace {

constexpr double kCellWidth = 1.0 / kGlyphColumns;
constexpr double kCellHeight = 1.0 / kGlyphRows;

}  // namespace

bool glyphCell(unsigned char c, double& s, double& t) {
    const Glyph* glyph = findGlyph(c);
    if (glyph == nullptr) return false;
    s = glyph->column * kCellWidth;
    // The load's flip makes the picture's top row the texture's top quarter, from t = 0.75.
    t = (kGlyphRows - 1 - glyph->row) * kCellHeight;
    return true;
}

void drawText(double x, double y, double scale, const char* text, TextureId font) {
    bindTexture(font);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glScaled(scale, scale, 1.0);
    unsigned pen = 0;
    for (const char* p = text; *p != '\0'; ++p, pen += 32) {
        double s = 0.0, t = 0.0;
        if (!glyphCell(static_cast<unsigned char>(*p), s, t)) continue;
        glPushMatrix();
        glTranslated(pen, 0.0, 0.0);
        glBegin(GL_QUADS);
        glTexCoord2d(s, t);
        glVertex2i(0, 0);
        glTexCoord2d(s + kCellWidth, t);
        glVertex2i(32, 0);
        glTexCoord2d(s + kCellWidth, t + kCellHeight);
        glVertex2i(32, 64);
        glTexCoord2d(s, t + kCellHeight);
        glVertex2i(0, 64);
        glEnd();
        glPopMatrix();
    }
    glPopMatrix();
}
