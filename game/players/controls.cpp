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
        const std::uint8_t* held = world->controls.KeyState;
        std::uint8_t left = held[keys.left];
        std::uint8_t right = held[keys.right];
        std::uint8_t fire = held[keys.fire];
        // A slot the computer steers takes only the keys its computer player holds.
        if (world->controls.computer[static_cast<std::size_t>(slot)] != ComputerLevel::none) {
            const KeyChoice& computer = world->computers.keys[static_cast<std::size_t>(slot)];
            left = computer.left;
            right = computer.right;
            fire = computer.fire;
        }
        // Both turn keys held, or neither, means straight on.
        player->turnLeft = left != right && left != 0;
        player->turnRight = left != right && right != 0;
        player->fire = fire;
    }
}

void assignControllers() {
    SlotKeys enabled[kSlotCount];
    int count = 0;
    // Controllers steer the slots people play; they skip the computer's.
    for (const int slot : enabledSlots(world->settings)) {
        if (world->controls.computer[static_cast<std::size_t>(slot)] == ComputerLevel::none)
            enabled[count++] = world->controls.keyBindings[slot];
    }
    assignControllerSlots(enabled, count);
}
