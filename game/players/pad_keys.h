// The controller mapping: a game controller's buttons and axes as the keys it holds, its slot's
// turn and fire keys as bound, SPACE and ESC.
#pragma once

#include <bitset>

#include "core/bindings.h"
#include "platform/pad_controls.h"

// A set of virtual keys, by code.
using KeySet = std::bitset<256>;

// What a controller holds: its buttons, and whether the stick and trigger are pushed.
struct PadState {
    std::bitset<32> buttons;  // by button number (platform::PadButton)
    bool stickLeft = false;
    bool stickRight = false;
    bool trigger = false;
};

// Presses or releases a button by its number; numbers beyond the state's are ignored.
void setButton(PadState& state, int button, bool down);

// Moves an axis, by its number, to `value`. Only the left stick's x and the right trigger count.
// Each counts as pushed once past half its range and stays pushed until it comes back under
// three eighths of it: one resting near the threshold does not chatter.
void moveAxis(PadState& state, int axis, int value);

// The keys the controller holds: its slot's keys when it steers one (`slot` not null): D-pad
// left, left shoulder and the stick pushed left turn left; D-pad right, right shoulder and the
// stick pushed right turn right; the south button (A) and the right trigger fire. On any
// controller Start is SPACE, or ESC while Back is held too.
KeySet padKeys(const PadState& state, const SlotKeys* slot);
