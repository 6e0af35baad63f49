// The round counter and the SPACE latch that the intro and game scenes share.
#include "game/scenes/scene_state.h"

#include "app/window.h"
#include "platform/virtual_keys.h"

std::uint16_t roundCounter = 0;
std::uint8_t spaceLatch = 0;

void resetSceneState() {
    roundCounter = 0;
    spaceLatch = 0;
}

bool freshSpacePress() {
    if (KeyState[vk::kSpace] == 0) {
        spaceLatch = 0;
        return false;
    }
    if (spaceLatch != 0) return false;
    spaceLatch = 1;
    return true;
}
