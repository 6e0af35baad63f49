// The stencil buffer, where the lines live: stamping into it and reading single pixels.
#pragma once

#include <cstdint>

// The stencil value at a window pixel; pixels outside the window read as unmarked.
float readStencil(int x, int y);

// Reads the stencil of the window's square from (0, 0) to (size, size) into `out`, one byte per
// pixel, row by row from the bottom: the whole collision map in one read.
void readStencilSquare(int size, std::uint8_t* out);

// From here on, quads write `value` into the stencil wherever the bound texture's alpha is not
// 0, and nothing reaches the colour buffer.
void beginStencilStamp(int value);

// Back to drawing: colour writes on, drawing only where the stencil holds 1, alpha test off.
void endStencilStamp();
