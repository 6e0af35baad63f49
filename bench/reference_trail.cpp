// A player's line drawn vertex by vertex between glBegin and glEnd, as the game drew it before
// its trails came from vertex arrays; it reads the same player record and gives the same pixels.
#include "bench/reference_trail.h"

#include <GL/gl.h>

#include "gfx/texture_manager.h"

void emitReferencePiece(const TrailPoint& a, const TrailPoint& b) {
    glTexCoord2d(a.leftS, a.leftT);
    glVertex2d(a.leftX, a.leftY);
    glTexCoord2d(a.rightS, a.rightT);
    glVertex2d(a.rightX, a.rightY);
    glTexCoord2d(b.rightS, b.rightT);
    glVertex2d(b.rightX, b.rightY);
    glTexCoord2d(b.leftS, b.leftT);
    glVertex2d(b.leftX, b.leftY);
}

void drawTrailImmediate(const Player& player) {
    if (player.alive != 0)
        glColor3f(1.0f, 1.0f, 1.0f);
    else
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    glBegin(GL_QUADS);
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i)
        emitReferencePiece(player.trail[i], player.trail[i + 1]);
    glEnd();
}
