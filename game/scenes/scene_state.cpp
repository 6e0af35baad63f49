// The SPACE latch that the intro and game scenes share.
#include "game/scenes/scene_state.h"

#include "core/keys.h"
#include "game/world.h"

bool freshSpacePress() {
    if (world->controls.KeyState[vk::kSpace] == 0) {
        world->scenes.spaceLatch = 0;
        return false;
    }
    if (world->scenes.spaceLatch != 0) return false;
    world->scenes.spaceLatch = 1;
    return true;
}
