// Turning the held keys of every enabled slot into its player's steering and fire flags.
#pragma once

#include "game/players/bindings.h"

// Every slot's keys as this run binds them: the defaults, and the `keys` file read at start-up.
extern Bindings keyBindings;

void readControls();

// Lets game controllers press the keys of the enabled slots, in slot order.
void assignControllers();
