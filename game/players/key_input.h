// The key state table's input. The keyboard and each game controller are holders of keys, and a
// key is down while any of them holds it: the table changes when its first holder presses it and
// when its last holder lets go. This turns the platform's device reports into those changes:
// - keyboard keys, but never the system keys: Alt and F10 themselves, and any key pressed or let
//   go while Alt is held without Ctrl or AltGr (which choose characters on many layouts);
// - when the window loses the keyboard focus, the keyboard lets go of all it holds (a key let go
//   while Alt was held came as a system key and would stay down);
// - controllers through the controller mapping (pad_keys.h). In the order they were plugged in
//   they steer the enabled slots in slot order, one each; the slot of an unplugged controller goes
//   to the next one plugged in, and a controller beyond the slots steers nothing.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "core/keys_file.h"
#include "game/players/pad_keys.h"
#include "platform/platform.h"

// A controller plugged in, as the key input knows it.
struct PadHolder {
    int id;    // the platform's number of the controller
    int seat;  // index into ControlState::seatKeys, or -1 when it steers no slot
    PadState state;
};

// The run's controls: every slot's keys, what each holder of keys holds, and the slots the
// controllers steer.
struct ControlState {
    // 1 while the key with that virtual-key code is down: while the keyboard or a controller
    // holds it. Written only here, from the reports windowProc hands over.
    std::uint8_t KeyState[256] = {};
    Bindings keyBindings = kDefaultBindings;  // the defaults, or the `keys` file's
    std::array<ComputerLevel, kSlotCount> computer{};  // who steers each slot, by slot
    std::map<int, KeySet> held;               // by holder: the keyboard, then each controller
    std::vector<SlotKeys> seatKeys;           // the steered slots' keys, in slot order
    std::vector<PadHolder> pads;              // in the order they were plugged in
};

// What one report changed in the key state table: keys let go and keys pressed (applied in that
// order), and the system key it was, if any (0 when none), which changes nothing.
struct KeyChanges {
    KeySet up;
    KeySet down;
    std::uint8_t systemKey = 0;
};

// Takes a keyboard or controller report and applies what it changes to KeyState; any other
// message changes nothing.
KeyChanges takeInput(const platform::Message& message);

// Lets the controllers steer the slots with these keys, given in slot order (the enabled slots):
// those plugged in already take them anew, and the key state follows what they hold now.
void assignControllerSlots(const SlotKeys* slots, int count);
