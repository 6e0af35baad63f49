// The centred textured square.
#include "gfx/sprite.h"

#include <GL/gl.h>

void drawCenteredSquare(double x, double y, double half) {
    glPushMatrix();
    glTranslated(x, y, 0.0);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 0);
    glVertex2d(-half, -half);
    glTexCoord2i(1, 0);
    glVertex2d(half, -half);
    glTexCoord2i(1, 1);
    glVertex2d(half, half);
    glTexCoord2i(0, 1);
    glVertex2d(-half, half);
    glEnd();
    glPopMatrix();
}
