// Releasing the graphics state.
#include "gfx/gfx.h"

#include "gfx/offscreen.h"

Gfx* gfx = nullptr;

Gfx::~Gfx() {
    delete camera;
    camera = nullptr;
    releaseTextureTable(textures);
    closeOffscreen();
}
