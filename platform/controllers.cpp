// Game controllers on SDL: opened when plugged in, and every button and axis reported by number.
#include "platform/controllers.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/pad_controls.h"
#include "platform/platform.h"

namespace platform {
namespace {

static_assert(static_cast<int>(PadButton::south) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::back) == SDL_CONTROLLER_BUTTON_BACK);
static_assert(static_cast<int>(PadButton::start) == SDL_CONTROLLER_BUTTON_START);
static_assert(static_cast<int>(PadButton::leftShoulder) == SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
static_assert(static_cast<int>(PadButton::rightShoulder) == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
static_assert(static_cast<int>(PadButton::dpadLeft) == SDL_CONTROLLER_BUTTON_DPAD_LEFT);
static_assert(static_cast<int>(PadButton::dpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadAxis::leftX) == SDL_CONTROLLER_AXIS_LEFTX);
static_assert(static_cast<int>(PadAxis::rightTrigger) == SDL_CONTROLLER_AXIS_TRIGGERRIGHT);

struct Pad {
    SDL_GameController* handle;
    SDL_JoystickID id;
};

std::vector<Pad> pads;

Pad* findPad(SDL_JoystickID id) {
    auto found =
        std::find_if(pads.begin(), pads.end(), [id](const Pad& pad) { return pad.id == id; });
    return found == pads.end() ? nullptr : &*found;
}

Message padMessage(MessageKind kind, SDL_JoystickID id, int control = 0, int value = 0) {
    Message message;
    message.kind = kind;
    message.pad = id;
    message.control = control;
    message.value = value;
    return message;
}

// What the controller holds already when it is opened: a button held while plugging in counts.
void postCurrentState(SDL_GameController* handle, SDL_JoystickID id) {
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        if (SDL_GameControllerGetButton(handle, static_cast<SDL_GameControllerButton>(button)) != 0)
            postMessage(padMessage(MessageKind::padButton, id, button, 1));
    }
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis) {
        const int value =
            SDL_GameControllerGetAxis(handle, static_cast<SDL_GameControllerAxis>(axis));
        if (value != 0) postMessage(padMessage(MessageKind::padAxis, id, axis, value));
    }
}

bool connect(int deviceIndex, Message& out) {
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (handle == nullptr) {
        std::fprintf(stderr, "game controller %d cannot be used: %s\n", deviceIndex,
                     SDL_GetError());
        return false;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    // A second announcement of a controller that is open already reports nothing.
    if (findPad(id) != nullptr) {
        SDL_GameControllerClose(handle);
        return false;
    }
    pads.push_back(Pad{handle, id});
    out = padMessage(MessageKind::padAdded, id);
    postCurrentState(handle, id);
    return true;
}

bool disconnect(SDL_JoystickID id, Message& out) {
    Pad* pad = findPad(id);
    if (pad == nullptr) return false;
    SDL_GameControllerClose(pad->handle);
    pads.erase(pads.begin() + (pad - pads.data()));
    out = padMessage(MessageKind::padRemoved, id);
    return true;
}

}  // namespace

void startControllers() {
    // The players keep steering while another window has the keyboard focus: the game goes on
    // running frames then, and SDL would otherwise drop every controller press.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Buttons are reported by their place (south is the bottom face button), whatever the label.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "game controllers unavailable: %s\n", SDL_GetError());
}

void stopControllers() {
    for (const Pad& pad : pads) SDL_GameControllerClose(pad.handle);
    pads.clear();
}

bool translateControllerEvent(const SDL_Event& event, Message& out) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            return connect(event.cdevice.which, out);
        case SDL_CONTROLLERDEVICEREMOVED:
            return disconnect(event.cdevice.which, out);
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (findPad(event.cbutton.which) == nullptr) return false;
            out = padMessage(MessageKind::padButton, event.cbutton.which, event.cbutton.button,
                             event.cbutton.state == SDL_PRESSED ? 1 : 0);
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (findPad(event.caxis.which) == nullptr) return false;
            out = padMessage(MessageKind::padAxis, event.caxis.which, event.caxis.axis,
                             event.caxis.value);
            return true;
        default:
            return false;
    }
}

}  // namespace platform
