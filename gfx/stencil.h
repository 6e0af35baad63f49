// The stencil buffer, where the lines live: stamping into it and reading single pixels.
#pragma once

// The stencil value at a window pixel; pixels outside the window read as unmarked.
float readStencil(int x, int y);

// From here on, quads write `value` into the stencil wherever the bound texture's alpha is not
// 0, and nothing reaches the colour buffer.
void beginStencilStamp(int value);

// Back to drawing: colour writes on, drawing only where the stencil holds 1, alpha test off.
void endStencilStamp();
