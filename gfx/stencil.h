// Reading single pixels of the stencil buffer, where the lines live.
#pragma once

// The stencil value at a window pixel; pixels outside the window read as unmarked.
float readStencil(int x, int y);
