// A controller's buttons and axes turned into the virtual keys it holds.
#include "game/players/pad_keys.h"

#include <cstddef>

using platform::PadAxis;
using platform::PadButton;

namespace {

constexpr int kPushedFrom = 16384;     // half of the axis range
constexpr int kReleasedBelow = 12288;  // three eighths: the band in between keeps the state

bool pushed(bool wasPushed, int value) {
    return value >= (wasPushed ? kReleasedBelow : kPushedFrom);
}

bool held(const PadState& state, PadButton button) {
    return state.buttons.test(static_cast<std::size_t>(button));
}

}  // namespace

void setButton(PadState& state, int button, bool down) {
    if (button < 0 || static_cast<std::size_t>(button) >= state.buttons.size()) return;
    state.buttons.set(static_cast<std::size_t>(button), down);
}

void moveAxis(PadState& state, int axis, int value) {
    switch (static_cast<PadAxis>(axis)) {
        case PadAxis::leftX:
            state.stickLeft = pushed(state.stickLeft, -value);
            state.stickRight = pushed(state.stickRight, value);
            break;
        case PadAxis::rightTrigger:
            state.trigger = pushed(state.trigger, value);
            break;
        default:
            break;
    }
}

KeySet padKeys(const PadState& state, const SlotKeys* slot) {
    KeySet keys;
    if (held(state, PadButton::start))
        keys.set(held(state, PadButton::back) ? vk::kEscape : vk::kSpace);
    if (slot == nullptr) return keys;
    if (held(state, PadButton::dpadLeft) || held(state, PadButton::leftShoulder) || state.stickLeft)
        keys.set(slot->left);
    if (held(state, PadButton::dpadRight) || held(state, PadButton::rightShoulder) ||
        state.stickRight)
        keys.set(slot->right);
    if (held(state, PadButton::south) || state.trigger) keys.set(slot->fire);
    return keys;
}
