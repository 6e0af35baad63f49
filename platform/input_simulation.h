// Support for tests and the headless runner, in its own library (quorl_input_simulation) that
// only they link: game controllers made with SDL's virtual joysticks, and keyboard and focus
// events queued as the window system delivers them. All of them reach the program through the
// message pump, as real devices do.
#pragma once

#include "platform/pad_controls.h"
#include "platform/platform.h"

namespace platform {

// Plugs in a new virtual controller; returns its number, or -1 (with SDL's reason on standard
// error) when none can be made. The window must be open.
int connectVirtualController();

// Presses or releases a button; false for an unknown controller. Like every change below, the
// program sees it when it next takes a message.
bool setVirtualButton(int controller, PadButton button, bool down);

// Moves an axis to a value as the program reads it (the stick -32768 to 32767, the trigger 0 to
// 32767; values beyond are clamped); false for an unknown controller.
bool setVirtualAxis(int controller, PadAxis axis, int value);

// Unplugs the controller; false for an unknown one.
bool disconnectVirtualController(int controller);

// Queues a key at a physical position (USB HID usage id) going down or up, with the modifier
// keys in `modifiers` (KeyModifier bits; kCtrl is the left Ctrl key) held.
void queueKeyEvent(int scancode, bool down, unsigned modifiers = 0);

// Queues the loss of the keyboard focus. The window system sends it after SDL has released
// every key it saw held; the test queues those releases itself.
void queueFocusLoss();

}  // namespace platform
