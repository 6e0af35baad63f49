// Turning the held keys of every enabled slot into its player's steering and fire flags.
#pragma once

#include "core/bindings.h"

void readControls();

// Lets game controllers press the keys of the enabled slots, in slot order.
void assignControllers();
