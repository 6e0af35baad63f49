// The trail of a player drawn under the stencil test: one draw of textured quads from client-side
// vertex arrays kept beside the trail.
#include "game/players/trail_drawing.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

TrailVertex leftCorner(const TrailPoint& p) {
    return {static_cast<float>(p.leftX), static_cast<float>(p.leftY), static_cast<float>(p.leftS),
            static_cast<float>(p.leftT)};
}

TrailVertex rightCorner(const TrailPoint& p) {
    return {static_cast<float>(p.rightX), static_cast<float>(p.rightY),
            static_cast<float>(p.rightS), static_cast<float>(p.rightT)};
}

// Rewrites the quads of the points that may differ from the trail: the head, which moves every
// frame, and every point added or rewritten since the last drawing.
void bringArraysInStep(Player& player) {
    TrailArrays& arrays = player.trailArrays;
    if (arrays.vertices.size() < 4 * player.trail.size())
        arrays.vertices.resize(4 * player.trail.size());
    const std::uint32_t head = player.pointCount - 1;
    const std::uint32_t firstChanged = std::min(arrays.pointsInStep, head);
    for (std::uint32_t i = firstChanged == 0 ? 0 : firstChanged - 1; i + 1 < player.pointCount;
         ++i) {
        const TrailPoint& a = player.trail[i];
        const TrailPoint& b = player.trail[i + 1];
        TrailVertex* quad = &arrays.vertices[4 * i];
        quad[0] = leftCorner(a);
        quad[1] = rightCorner(a);
        quad[2] = rightCorner(b);
        quad[3] = leftCorner(b);
    }
    arrays.pointsInStep = head;
}

}  // namespace

void emitPiece(const TrailPoint& a, const TrailPoint& b) {
    glTexCoord2d(a.leftS, a.leftT);
    glVertex2d(a.leftX, a.leftY);
    glTexCoord2d(a.rightS, a.rightT);
    glVertex2d(a.rightX, a.rightY);
    glTexCoord2d(b.rightS, b.rightT);
    glVertex2d(b.rightX, b.rightY);
    glTexCoord2d(b.leftS, b.leftT);
    glVertex2d(b.leftX, b.leftY);
}

void drawTrail(Player& player) {
    if (player.alive != 0)
        glColor3f(1.0f, 1.0f, 1.0f);
    else
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    bringArraysInStep(player);
    const TrailVertex* vertices = player.trailArrays.vertices.data();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(TrailVertex), &vertices->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TrailVertex), &vertices->s);
    glDrawArrays(GL_QUADS, 0, 4 * static_cast<GLsizei>(player.pointCount - 1));
    // The arrays leave as they came: off, and pointing at nothing that may move.
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    glTexCoordPointer(4, GL_FLOAT, 0, nullptr);
}
