// The frame's picture to the window.
#include "game/scenes/show_frame.h"

#include "gfx/offscreen.h"
#include "platform/platform.h"

void showFrame() {
    if (offscreenOpen()) {
        int width = 0, height = 0;
        platform::drawableSize(width, height);
        presentOffscreen(width, height);
    }
    platform::swapBuffers();
}
