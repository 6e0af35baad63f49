// Showing a finished frame: the picture scaled into the window when it is drawn apart from it,
// then the buffer swap.
#pragma once

void showFrame();
