// A player's line drawn piece by piece between glBegin and glEnd, as the game drew it before its
// trails came from vertex arrays: the reference the benchmark and the tests hold the arrays to.
#include "tests/reference/reference_trail.h"

#include <GL/gl.h>

#include "game/players/trail_drawing.h"
#include "gfx/texture_manager.h"

void drawTrailImmediate(const Player& player) {
    if (player.alive != 0)
        glColor3f(1.0f, 1.0f, 1.0f);
    else
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    glBegin(GL_QUADS);
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i)
        emitPiece(player.trail[i], player.trail[i + 1]);
    glEnd();
}
