// Turning the held keys of every enabled slot into its player's steering and fire flags.
#pragma once

#include <cstdint>

struct SlotKeys {
    std::uint8_t left;
    std::uint8_t right;
    std::uint8_t fire;
};

// The fixed keys of the six slots, as virtual-key codes.
extern const SlotKeys kSlotKeys[6];

void readControls();
