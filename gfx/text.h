// One line of bitmap-font text: fixed 32 x 64 unit glyph quads from a 4 x 32 glyph grid.
#pragma once

#include "gfx/texture_manager.h"

// The texture rectangle's lower-left corner of a character's cell; false for characters the
// font has no cell for (the space among them).
bool glyphCell(unsigned char character, double& s, double& t);

// Draws `text` with its first glyph's lower-left corner at (x, y), scaled uniformly.
// Characters without a cell draw nothing and advance the pen like any other.
void drawText(double x, double y, double scale, const char* text, TextureId font);
