// Turning the held keys of every enabled slot into its player's steering and fire flags.
#pragma once

#include "platform/platform.h"

using SlotKeys = platform::SlotKeys;

// The fixed keys of the six slots, as virtual-key codes.
extern const SlotKeys kSlotKeys[6];

void readControls();

// Lets game controllers press the keys of the enabled slots, in slot order.
void assignControllers();
