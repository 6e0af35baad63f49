// A game controller's buttons and axes as the virtual keys it holds: its slot's turn and fire
// keys, SPACE and ESC.
#pragma once

#include <bitset>

#include "platform/key_sources.h"
#include "platform/platform.h"

namespace platform {

// The buttons that press keys, numbered as SDL numbers the buttons of its controller layout.
enum class PadButton {
    south = 0,  // A
    back = 4,
    start = 6,
    leftShoulder = 9,
    rightShoulder = 10,
    dpadLeft = 13,
    dpadRight = 14,
};

// The axes that press keys, numbered as SDL numbers them: the left stick's x, from -32768
// (left) to 32767 (right), and the right trigger, from 0 (resting) to 32767.
enum class PadAxis {
    leftX = 0,
    rightTrigger = 5,
};

// What a controller holds: its buttons, and whether the stick and trigger are pushed.
struct PadState {
    std::bitset<16> buttons;  // by PadButton number
    bool stickLeft = false;
    bool stickRight = false;
    bool trigger = false;
};

void setButton(PadState& state, PadButton button, bool down);

// Moves an axis. The stick counts as pushed once past half its range and stays pushed until it
// comes back under three eighths of it, and so does the trigger: one resting near the threshold
// does not chatter.
void moveAxis(PadState& state, PadAxis axis, int value);

// The keys the controller holds: its slot's keys when it steers one (`slot` not null); SPACE
// for Start, or ESC instead while Back is held too.
KeySet padKeys(const PadState& state, const SlotKeys* slot);

}  // namespace platform
