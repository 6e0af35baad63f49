// The scripted virtual controllers of a headless match: when each is plugged in, which buttons
// and axes it moves, and when it is unplugged.
#pragma once

#include <string>
#include <vector>

#include "platform/pad_controls.h"

struct PadEvent {
    enum class Action { connect, disconnect, down, up, axis };
    int frame;  // the frame before which it happens
    Action action;
    int pad = 0;  // the controller: 0 for the first connect event, 1 for the second ...
    platform::PadButton button = platform::PadButton::south;
    platform::PadAxis axis = platform::PadAxis::leftX;
    int value = 0;  // where the axis goes
};

// Parses one event: "FRAME:connect", "FRAME:disconnect:PAD", "FRAME:down:PAD:BUTTON",
// "FRAME:up:PAD:BUTTON", a press "FRAME+FRAMES:PAD:BUTTON" (down at FRAME, up FRAMES later) or
// "FRAME:axis:PAD:AXIS:VALUE". BUTTON is a, back, start, lb, rb, dpleft or dpright; AXIS is stick
// (the left stick across, -32768 to 32767) or rt (the right trigger, 0 to 32767). Throws
// std::invalid_argument with a message naming the bad part.
std::vector<PadEvent> parsePadEvent(const std::string& text);

// Puts the events in frame order (events of one frame stay in their given order) and checks that
// each names a controller plugged in before it and not yet unplugged; throws
// std::invalid_argument.
void orderPadEvents(std::vector<PadEvent>& events);
