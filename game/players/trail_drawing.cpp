// The trail of a player drawn under the stencil test: one draw of its textured pieces from
// client-side vertex arrays kept beside the trail.
#include "game/players/trail_drawing.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

TrailVertex leftEnd(const TrailPoint& p) {
    return {static_cast<float>(p.leftX), static_cast<float>(p.leftY), static_cast<float>(p.leftS),
            static_cast<float>(p.leftT)};
}

TrailVertex rightEnd(const TrailPoint& p) {
    return {static_cast<float>(p.rightX), static_cast<float>(p.rightY),
            static_cast<float>(p.rightS), static_cast<float>(p.rightT)};
}

// Grows the arrays with the trail: room for every point and the fixed indices of every piece.
void growArrays(TrailArrays& arrays, std::uint32_t points) {
    if (arrays.vertices.size() >= 2 * std::size_t{points}) return;
    arrays.vertices.resize(2 * std::size_t{points});
    const auto first = static_cast<std::uint32_t>(arrays.indices.size() / 6);
    arrays.indices.resize(6 * std::size_t{points - 1});
    for (std::uint32_t i = first; i + 1 < points; ++i) {
        const std::uint32_t a = 2 * i;  // point i's left end; 2i + 1 is its right end
        std::uint32_t* piece = &arrays.indices[6 * std::size_t{i}];
        piece[0] = a;
        piece[1] = a + 1;
        piece[2] = a + 3;
        piece[3] = a;
        piece[4] = a + 3;
        piece[5] = a + 2;
    }
}

// Rewrites the points that may differ from the trail: the head, which moves every frame, and
// every point added or rewritten since the last drawing.
void bringArraysInStep(Player& player) {
    TrailArrays& arrays = player.trailArrays;
    growArrays(arrays, static_cast<std::uint32_t>(player.trail.size()));
    const std::uint32_t head = player.pointCount - 1;
    for (std::uint32_t i = std::min(arrays.pointsInStep, head); i <= head; ++i) {
        arrays.vertices[2 * std::size_t{i}] = leftEnd(player.trail[i]);
        arrays.vertices[2 * std::size_t{i} + 1] = rightEnd(player.trail[i]);
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
    if (player.pointCount < 2) return;
    bringArraysInStep(player);
    const TrailVertex* vertices = player.trailArrays.vertices.data();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(TrailVertex), &vertices->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(TrailVertex), &vertices->s);
    glDrawElements(GL_TRIANGLES, 6 * static_cast<GLsizei>(player.pointCount - 1), GL_UNSIGNED_INT,
                   player.trailArrays.indices.data());
    // The arrays leave as they came: off, and pointing at nothing that may move.
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    glTexCoordPointer(4, GL_FLOAT, 0, nullptr);
}
