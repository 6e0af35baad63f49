// The trail of a player drawn as one batch of textured quads under the stencil test.
#include "game/players/trail_drawing.h"

#include <GL/gl.h>

namespace {

void emitVertex(double s, double t, double x, double y) {
    glTexCoord2d(s, t);
    glVertex2d(x, y);
}

}  // namespace

void drawTrail(const Player& player) {
    if (player.alive != 0)
        glColor3f(1.0f, 1.0f, 1.0f);
    else
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    glBegin(GL_QUADS);
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i) {
        const TrailPoint& a = player.trail[i];
        const TrailPoint& b = player.trail[i + 1];
        emitVertex(a.leftS, a.leftT, a.leftX, a.leftY);
        emitVertex(a.rightS, a.rightT, a.rightX, a.rightY);
        emitVertex(b.rightS, b.rightT, b.rightX, b.rightY);
        emitVertex(b.leftS, b.leftT, b.leftX, b.leftY);
    }
    glEnd();
}
