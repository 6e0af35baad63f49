// Virtual controllers on SDL's virtual joystick driver, and queued keyboard and focus events.
#include "platform/input_simulation.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace platform {
namespace {

constexpr int kAxisMin = -32768;
constexpr int kAxisMax = 32767;

// The open joysticks of the virtual controllers, by instance id.
std::map<int, SDL_Joystick*> virtualPads;

SDL_Joystick* findVirtual(int controller) {
    const auto found = virtualPads.find(controller);
    return found == virtualPads.end() ? nullptr : found->second;
}

int deviceIndexOf(int controller) {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == controller) return index;
    }
    return -1;
}

// SDL maps a trigger's whole joystick range onto 0 to 32767 with truncating integer division:
// the smallest joystick value that reads as `value` is the one that makes it exact.
int triggerToJoystick(int value) {
    const long clamped = std::clamp(value, 0, kAxisMax);
    return static_cast<int>((clamped * 65535 + kAxisMax - 1) / kAxisMax + kAxisMin);
}

}  // namespace

int connectVirtualController() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    // Every axis and button of the layout, so that SDL numbers them as its layout does.
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Quorl virtual controller";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* joystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        std::fprintf(stderr, "cannot connect a virtual controller: %s\n", SDL_GetError());
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        return -1;
    }
    const int controller = SDL_JoystickInstanceID(joystick);
    virtualPads[controller] = joystick;
    // Triggers rest at the bottom of the joystick's range, not in its middle.
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, kAxisMin);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, kAxisMin);
    return controller;
}

bool setVirtualButton(int controller, PadButton button, bool down) {
    SDL_Joystick* joystick = findVirtual(controller);
    return joystick != nullptr &&
           SDL_JoystickSetVirtualButton(joystick, static_cast<int>(button),
                                        down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool setVirtualAxis(int controller, PadAxis axis, int value) {
    SDL_Joystick* joystick = findVirtual(controller);
    if (joystick == nullptr) return false;
    const bool trigger = axis == PadAxis::leftTrigger || axis == PadAxis::rightTrigger;
    const int raw = trigger ? triggerToJoystick(value) : std::clamp(value, kAxisMin, kAxisMax);
    return SDL_JoystickSetVirtualAxis(joystick, static_cast<int>(axis), static_cast<Sint16>(raw)) ==
           0;
}

bool disconnectVirtualController(int controller) {
    SDL_Joystick* joystick = findVirtual(controller);
    if (joystick == nullptr) return false;
    virtualPads.erase(controller);
    SDL_JoystickClose(joystick);
    return SDL_JoystickDetachVirtual(deviceIndexOf(controller)) == 0;
}

void queueKeyEvent(int scancode, bool down, unsigned modifiers) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    Uint16 mod = KMOD_NONE;
    if ((modifiers & kLeftAlt) != 0) mod |= KMOD_LALT;
    if ((modifiers & kRightAlt) != 0) mod |= KMOD_RALT;
    if ((modifiers & kCtrl) != 0) mod |= KMOD_LCTRL;
    if ((modifiers & kAltGr) != 0) mod |= KMOD_MODE;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
}

void queueFocusLoss() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
}

}  // namespace platform
