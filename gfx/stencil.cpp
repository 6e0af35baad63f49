// Stencil stamping state and single-pixel reads, kept inside the window: outside it GL returns
// no defined value.
#include "gfx/stencil.h"

#include <GL/gl.h>

#include "gfx/gfx.h"

float readStencil(int x, int y) {
    const Viewport& viewport = gfx->viewport;
    if (x < 0 || y < 0 || x >= viewport.width || y >= viewport.height) return 0.0f;
    float value = 0.0f;
    glReadPixels(x, y, 1, 1, GL_STENCIL_INDEX, GL_FLOAT, &value);
    return value;
}

void readStencilSquare(int size, std::uint8_t* out) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, out);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

void beginStencilStamp(int value) {
    glEnable(GL_ALPHA_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, value, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void endStencilStamp() {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDisable(GL_ALPHA_TEST);
}
