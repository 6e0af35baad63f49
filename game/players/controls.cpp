// The per-frame reading of the six slots' keys, and the slots that game controllers steer.
#include "game/players/controls.h"

#include "app/context.h"
#include "app/settings.h"
#include "app/window.h"
#include "game/players/key_input.h"
#include "game/players/player.h"

void readControls() {
    int index = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (context->settings.slotEnabled[slot] == 0) continue;
        Player* player = context->players[index++];
        if (player == nullptr) continue;
        const SlotKeys& keys = context->controls.keyBindings[slot];
        const std::uint8_t left = context->window.KeyState[keys.left];
        const std::uint8_t right = context->window.KeyState[keys.right];
        // Both turn keys held, or neither, means straight on.
        player->turnLeft = left != right && left != 0;
        player->turnRight = left != right && right != 0;
        player->fire = context->window.KeyState[keys.fire];
    }
}

void assignControllers() {
    SlotKeys enabled[kSlotCount];
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (context->settings.slotEnabled[slot] != 0)
            enabled[count++] = context->controls.keyBindings[slot];
    }
    assignControllerSlots(enabled, count);
}
