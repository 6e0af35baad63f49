// The per-frame reading of the six slots' keys, and the slots that game controllers steer.
#include "game/players/controls.h"

#include "core/settings.h"
#include "game/players/key_input.h"
#include "game/players/player.h"
#include "game/world.h"

void readControls() {
    int index = 0;
    for (const int slot : enabledSlots(world->settings)) {
        Player* player = world->players[index++];
        if (player == nullptr) continue;
        const SlotKeys& keys = world->controls.keyBindings[slot];
        const std::uint8_t left = world->controls.KeyState[keys.left];
        const std::uint8_t right = world->controls.KeyState[keys.right];
        // Both turn keys held, or neither, means straight on.
        player->turnLeft = left != right && left != 0;
        player->turnRight = left != right && right != 0;
        player->fire = world->controls.KeyState[keys.fire];
    }
}

void assignControllers() {
    SlotKeys enabled[kSlotCount];
    int count = 0;
    for (const int slot : enabledSlots(world->settings))
        enabled[count++] = world->controls.keyBindings[slot];
    assignControllerSlots(enabled, count);
}
