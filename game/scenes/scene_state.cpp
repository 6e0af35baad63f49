// The SPACE latch that the intro and game scenes share.
#include "game/scenes/scene_state.h"

#include "app/context.h"
#include "platform/virtual_keys.h"

bool freshSpacePress() {
    if (context->window.KeyState[vk::kSpace] == 0) {
        context->scenes.spaceLatch = 0;
        return false;
    }
    if (context->scenes.spaceLatch != 0) return false;
    context->scenes.spaceLatch = 1;
    return true;
}
