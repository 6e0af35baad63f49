// Turning the held keys of every enabled slot into its player's steering and fire flags: the
// keyboard's and controllers' for the slots people play, the computer player's for its own.
#pragma once

#include "core/bindings.h"

void readControls();

// Lets game controllers press the keys of the enabled slots people play, in slot order.
void assignControllers();
