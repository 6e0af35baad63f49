// The key table of the six slots, the per-frame reading of the keys, and the slots that game
// controllers steer.
#include "game/players/controls.h"

#include "app/settings.h"
#include "app/window.h"
#include "game/players/player.h"

const SlotKeys kSlotKeys[6] = {
    {0x25, 0x27, 0x26},  // arrows: left, right, up
    {0x6F, 0x6D, 0x6A},  // keypad: /, -, *
    {0x2D, 0x21, 0x24},  // Insert, Page Up, Home
    {'I', 'P', 'O'},    {'V', 'N', 'B'}, {'Q', 'E', 'W'},
};

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
