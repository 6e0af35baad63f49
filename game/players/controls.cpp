// The per-frame reading of the six slots' keys, and the slots that game controllers steer.
#include "game/players/controls.h"

#include "app/settings.h"
#include "app/window.h"
#include "game/players/player.h"

void readControls() {
    int index = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (settings.slotEnabled[slot] == 0) continue;
        Player* player = players[index++];
        if (player == nullptr) continue;
        const std::uint8_t left = KeyState[kSlotKeys[slot].left];
        const std::uint8_t right = KeyState[kSlotKeys[slot].right];
        // Both turn keys held, or neither, means straight on.
        player->turnLeft = left != right && left != 0;
        player->turnRight = left != right && right != 0;
        player->fire = KeyState[kSlotKeys[slot].fire];
    }
}

void assignControllers() {
    SlotKeys enabled[kSlotCount];
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (settings.slotEnabled[slot] != 0) enabled[count++] = kSlotKeys[slot];
    }
    platform::assignControllerSlots(enabled, count);
}
