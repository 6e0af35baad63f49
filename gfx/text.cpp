// The glyph map of the font image and the text renderer.
#include "gfx/text.h"

#include <GL/gl.h>

#include <cstring>

namespace {

constexpr double kCellWidth = 0.03125;  // 1/32 of the texture
constexpr double kCellHeight = 0.25;    // 1/4 of the texture

// Rows by their base t: the top quarter of the picture has t0 = 0.75 after the load's flip.
constexpr double kSymbolRow = 0.75;
constexpr double kAccentRow = 0.5;
constexpr double kLowerRow = 0.25;
constexpr double kUpperRow = 0.0;

// Punctuation of the symbol row, from column 10 on.
constexpr char kSymbols[] = ".,-_?!()<>{}=+*/\\#&@'\"";
// The accented letters of code page 1250 in the order of their cells.
constexpr unsigned char kAccented[] = {0xC1, 0xC9, 0xCD, 0xD3, 0xD6, 0xD5, 0xDA, 0xDC, 0xDB,
                                       0xE1, 0xE9, 0xED, 0xF3, 0xF6, 0xF5, 0xFA, 0xFC, 0xFB};
constexpr int kColonColumn = 18;

bool select(int column, double row, double& s, double& t) {
    s = column * kCellWidth;
    t = row;
    return true;
}

}  // namespace

bool glyphCell(unsigned char c, double& s, double& t) {
    if (c >= '0' && c <= '9') return select(c - '0', kSymbolRow, s, t);
    if (c >= 'a' && c <= 'z') return select(c - 'a', kLowerRow, s, t);
    if (c >= 'A' && c <= 'Z') return select(c - 'A', kUpperRow, s, t);
    if (c == ':') return select(kColonColumn, kAccentRow, s, t);
    if (c != 0) {
        if (const char* symbol = std::strchr(kSymbols, c))
            return select(10 + static_cast<int>(symbol - kSymbols), kSymbolRow, s, t);
    }
    for (int i = 0; i < static_cast<int>(sizeof kAccented); ++i) {
        if (kAccented[i] == c) return select(i, kAccentRow, s, t);
    }
    return false;
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
