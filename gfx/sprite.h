// A textured square centred on a point: sprites and the hole stamp.
#pragma once

// Draws the bound texture over a square of side 2 * half centred on (x, y), counter-clockwise,
// leaving the model-view matrix as it found it.
void drawCenteredSquare(double x, double y, double half);
