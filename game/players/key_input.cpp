// Counting the holders of each key across the keyboard and the controllers, and the slots the
// controllers steer.
#include "game/players/key_input.h"

#include <algorithm>

#include "core/keys.h"
#include "game/world.h"

namespace {

constexpr int kKeyboard = -1;  // the keyboard's holder number; controllers have their own
constexpr int kNoSeat = -1;

KeySet heldByOthers(int holder) {
    KeySet keys;
    for (const auto& [other, set] : world->controls.held) {
        if (other != holder) keys |= set;
    }
    return keys;
}

// Makes `keys` what `holder` holds and applies the change to the key state table.
void hold(int holder, const KeySet& keys, KeyChanges& changes) {
    const KeySet others = heldByOthers(holder);
    KeySet& before = world->controls.held[holder];
    const KeySet up = before & ~keys & ~others;
    const KeySet down = keys & ~before & ~others;
    before = keys;
    for (std::size_t key = 0; key < KeySet().size(); ++key) {
        if (up.test(key)) world->controls.KeyState[key] = 0;
        if (down.test(key)) world->controls.KeyState[key] = 1;
    }
    changes.up |= up;
    changes.down |= down;
}

void drop(int holder, KeyChanges& changes) {
    hold(holder, KeySet{}, changes);
    world->controls.held.erase(holder);
}

PadHolder* findPad(int id) {
    auto& pads = world->controls.pads;
    auto found =
        std::find_if(pads.begin(), pads.end(), [id](const PadHolder& pad) { return pad.id == id; });
    return found == pads.end() ? nullptr : &*found;
}

int freeSeat() {
    const ControlState& controls = world->controls;
    for (int seat = 0; seat < static_cast<int>(controls.seatKeys.size()); ++seat) {
        if (std::none_of(controls.pads.begin(), controls.pads.end(),
                         [seat](const PadHolder& pad) { return pad.seat == seat; }))
            return seat;
    }
    return kNoSeat;
}

void holdPadKeys(const PadHolder& pad, KeyChanges& changes) {
    const SlotKeys* slot = pad.seat == kNoSeat
                               ? nullptr
                               : &world->controls.seatKeys[static_cast<std::size_t>(pad.seat)];
    hold(pad.id, padKeys(pad.state, slot), changes);
}

bool isSystemKey(std::uint8_t key, std::uint8_t modifiers) {
    if (key == vk::kAlt || key == vk::kF10) return true;
    const unsigned choosesCharacters = platform::kCtrl | platform::kRightAlt | platform::kAltGr;
    return (modifiers & platform::kLeftAlt) != 0 && (modifiers & choosesCharacters) == 0;
}

void takeKey(const platform::Message& message, KeyChanges& changes) {
    if (message.key == 0) return;
    if (isSystemKey(message.key, message.modifiers)) {
        changes.systemKey = message.key;
        return;
    }
    KeySet keys = world->controls.held[kKeyboard];
    keys.set(message.key, message.kind == platform::MessageKind::keyDown);
    hold(kKeyboard, keys, changes);
}

void takePadReport(const platform::Message& message, KeyChanges& changes) {
    using platform::MessageKind;
    auto& pads = world->controls.pads;
    if (message.kind == MessageKind::padAdded) {
        // A second report of a controller that is plugged in already changes nothing.
        if (findPad(message.pad) == nullptr)
            pads.push_back(PadHolder{message.pad, freeSeat(), PadState{}});
        return;
    }
    PadHolder* pad = findPad(message.pad);
    if (pad == nullptr) return;
    switch (message.kind) {
        case MessageKind::padRemoved:
            drop(pad->id, changes);
            pads.erase(pads.begin() + (pad - pads.data()));
            return;
        case MessageKind::padButton:
            setButton(pad->state, message.control, message.value != 0);
            break;
        case MessageKind::padAxis:
            moveAxis(pad->state, message.control, message.value);
            break;
        default:
            return;
    }
    holdPadKeys(*pad, changes);
}

}  // namespace

KeyChanges takeInput(const platform::Message& message) {
    using platform::MessageKind;
    KeyChanges changes;
    switch (message.kind) {
        case MessageKind::keyDown:
        case MessageKind::keyUp:
            takeKey(message, changes);
            break;
        case MessageKind::keyboardLost:
            drop(kKeyboard, changes);
            break;
        case MessageKind::padAdded:
        case MessageKind::padRemoved:
        case MessageKind::padButton:
        case MessageKind::padAxis:
            takePadReport(message, changes);
            break;
        default:
            break;
    }
    return changes;
}

void assignControllerSlots(const SlotKeys* slots, int count) {
    ControlState& controls = world->controls;
    controls.seatKeys.assign(slots, slots + std::max(count, 0));
    for (PadHolder& pad : controls.pads) pad.seat = kNoSeat;
    KeyChanges changes;
    for (PadHolder& pad : controls.pads) {
        pad.seat = freeSeat();
        holdPadKeys(pad, changes);
    }
}
