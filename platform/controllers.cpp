// Game controllers on SDL: opened when connected, given the first free slot, and their buttons
// and axes turned into key messages through the key holders.
#include "platform/controllers.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/key_sources.h"
#include "platform/pad_keys.h"

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

constexpr PadButton kButtons[] = {
    PadButton::south,         PadButton::back,     PadButton::start,    PadButton::leftShoulder,
    PadButton::rightShoulder, PadButton::dpadLeft, PadButton::dpadRight};
constexpr PadAxis kAxes[] = {PadAxis::leftX, PadAxis::rightTrigger};
constexpr int kNoSeat = -1;

struct Pad {
    SDL_GameController* handle;
    SDL_JoystickID id;
    int seat;  // index into the slots' keys, or kNoSeat
    PadState state;
};

std::vector<SlotKeys> seatKeys;  // the enabled slots' keys, in slot order
std::vector<Pad> pads;           // in the order they were connected

Pad* findPad(SDL_JoystickID id) {
    auto found =
        std::find_if(pads.begin(), pads.end(), [id](const Pad& pad) { return pad.id == id; });
    return found == pads.end() ? nullptr : &*found;
}

int freeSeat() {
    for (int seat = 0; seat < static_cast<int>(seatKeys.size()); ++seat) {
        if (std::none_of(pads.begin(), pads.end(),
                         [seat](const Pad& pad) { return pad.seat == seat; }))
            return seat;
    }
    return kNoSeat;
}

// Makes the keys the controller holds in its state those it holds in the key sources.
void holdPadKeys(const Pad& pad) {
    const SlotKeys* slot =
        pad.seat == kNoSeat ? nullptr : &seatKeys[static_cast<std::size_t>(pad.seat)];
    postMessages(keySources().hold(pad.id, padKeys(pad.state, slot)));
}

// What the controller holds already when it is opened: a button held while plugging in counts.
PadState currentState(SDL_GameController* handle) {
    PadState state;
    for (PadButton button : kButtons) {
        setButton(state, button,
                  SDL_GameControllerGetButton(handle,
                                              static_cast<SDL_GameControllerButton>(button)) != 0);
    }
    for (PadAxis axis : kAxes) {
        moveAxis(state, axis,
                 SDL_GameControllerGetAxis(handle, static_cast<SDL_GameControllerAxis>(axis)));
    }
    return state;
}

void connect(int deviceIndex) {
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (handle == nullptr) {
        std::fprintf(stderr, "game controller %d cannot be used: %s\n", deviceIndex,
                     SDL_GetError());
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    // A second announcement of a controller that is open already changes nothing.
    if (findPad(id) != nullptr) {
        SDL_GameControllerClose(handle);
        return;
    }
    pads.push_back(Pad{handle, id, freeSeat(), currentState(handle)});
    holdPadKeys(pads.back());
}

void disconnect(SDL_JoystickID id) {
    Pad* pad = findPad(id);
    if (pad == nullptr) return;
    postMessages(keySources().drop(id));
    SDL_GameControllerClose(pad->handle);
    pads.erase(pads.begin() + (pad - pads.data()));
}

bool knownButton(Uint8 button) {
    return std::any_of(std::begin(kButtons), std::end(kButtons),
                       [button](PadButton known) { return static_cast<int>(known) == button; });
}

bool knownAxis(Uint8 axis) {
    return std::any_of(std::begin(kAxes), std::end(kAxes),
                       [axis](PadAxis known) { return static_cast<int>(known) == axis; });
}

void buttonEvent(const SDL_ControllerButtonEvent& event) {
    Pad* pad = findPad(event.which);
    if (pad == nullptr || !knownButton(event.button)) return;
    setButton(pad->state, static_cast<PadButton>(event.button), event.state == SDL_PRESSED);
    holdPadKeys(*pad);
}

void axisEvent(const SDL_ControllerAxisEvent& event) {
    Pad* pad = findPad(event.which);
    if (pad == nullptr || !knownAxis(event.axis)) return;
    moveAxis(pad->state, static_cast<PadAxis>(event.axis), event.value);
    holdPadKeys(*pad);
}

}  // namespace

void startControllers() {
    // The players keep steering while another window has the keyboard focus: the game goes on
    // running frames then, and SDL would otherwise drop every controller press.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Fire is the south face button on every controller, whatever its label says.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "game controllers unavailable: %s\n", SDL_GetError());
}

void stopControllers() {
    for (const Pad& pad : pads) SDL_GameControllerClose(pad.handle);
    pads.clear();
    keySources().clear();
}

void handleControllerEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            connect(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            disconnect(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            buttonEvent(event.cbutton);
            break;
        case SDL_CONTROLLERAXISMOTION:
            axisEvent(event.caxis);
            break;
        default:
            break;
    }
}

void assignControllerSlots(const SlotKeys* slots, int count) {
    seatKeys.assign(slots, slots + std::max(count, 0));
    for (Pad& pad : pads) pad.seat = kNoSeat;
    for (Pad& pad : pads) {
        pad.seat = freeSeat();
        holdPadKeys(pad);
    }
}

}  // namespace platform
