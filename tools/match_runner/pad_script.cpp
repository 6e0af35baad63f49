// Parsing and checking the virtual controllers' timeline for the headless runner.
#include "tools/match_runner/pad_script.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

#include "tools/match_runner/key_script.h"

using platform::PadAxis;
using platform::PadButton;

namespace {

const char* const kForms =
    "FRAME:connect, FRAME:disconnect:PAD, FRAME:down:PAD:BUTTON, FRAME:up:PAD:BUTTON, "
    "FRAME+FRAMES:PAD:BUTTON or FRAME:axis:PAD:AXIS:VALUE";

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ':');) parts.push_back(part);
    return parts;
}

int parsePad(const std::string& text, const std::string& event) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument("bad controller number '" + text + "' in pad event '" + event +
                                    "'");
    return std::stoi(text);
}

PadButton buttonByName(const std::string& name) {
    static const std::map<std::string, PadButton> buttons = {
        {"a", PadButton::south},           {"back", PadButton::back},
        {"start", PadButton::start},       {"lb", PadButton::leftShoulder},
        {"rb", PadButton::rightShoulder},  {"dpleft", PadButton::dpadLeft},
        {"dpright", PadButton::dpadRight},
    };
    const auto found = buttons.find(lowerCase(name));
    if (found == buttons.end())
        throw std::invalid_argument("unknown button '" + name +
                                    "' (a, back, start, lb, rb, dpleft or dpright)");
    return found->second;
}

struct AxisRange {
    PadAxis axis;
    int low;
    int high;
};

AxisRange axisByName(const std::string& name) {
    const std::string axis = lowerCase(name);
    if (axis == "stick") return {PadAxis::leftX, -32768, 32767};
    if (axis == "rt") return {PadAxis::rightTrigger, 0, 32767};
    throw std::invalid_argument("unknown axis '" + name + "' (stick or rt)");
}

int parseAxisValue(const std::string& text, const AxisRange& range, const std::string& event) {
    const std::string digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    const bool number = !digits.empty() && digits.size() <= 6 &&
                        digits.find_first_not_of("0123456789") == std::string::npos;
    const int value = number ? std::stoi(text) : 0;
    if (!number || value < range.low || value > range.high)
        throw std::invalid_argument("axis value '" + text + "' in pad event '" + event +
                                    "' is not a number from " + std::to_string(range.low) + " to " +
                                    std::to_string(range.high));
    return value;
}

PadEvent buttonEvent(int frame, bool down, int pad, PadButton button) {
    PadEvent event{frame, down ? PadEvent::Action::down : PadEvent::Action::up};
    event.pad = pad;
    event.button = button;
    return event;
}

}  // namespace

std::vector<PadEvent> parsePadEvent(const std::string& text) {
    const std::vector<std::string> parts = split(text);
    const auto bad = [&text] {
        return std::invalid_argument("pad event '" + text + "' is none of " + kForms);
    };
    if (parts.size() < 2) throw bad();
    if (const auto plus = parts[0].find('+'); plus != std::string::npos) {
        if (parts.size() != 3) throw bad();
        const int frame = parseFrame(parts[0].substr(0, plus), text);
        const int length = parseFrame(parts[0].substr(plus + 1), text);
        const int pad = parsePad(parts[1], text);
        const PadButton button = buttonByName(parts[2]);
        return {buttonEvent(frame, true, pad, button),
                buttonEvent(frame + length, false, pad, button)};
    }
    const int frame = parseFrame(parts[0], text);
    const std::string action = lowerCase(parts[1]);
    if (action == "connect" && parts.size() == 2) return {{frame, PadEvent::Action::connect}};
    if (action == "disconnect" && parts.size() == 3) {
        PadEvent event{frame, PadEvent::Action::disconnect};
        event.pad = parsePad(parts[2], text);
        return {event};
    }
    if ((action == "down" || action == "up") && parts.size() == 4)
        return {
            buttonEvent(frame, action == "down", parsePad(parts[2], text), buttonByName(parts[3]))};
    if (action == "axis" && parts.size() == 5) {
        PadEvent event{frame, PadEvent::Action::axis};
        event.pad = parsePad(parts[2], text);
        const AxisRange range = axisByName(parts[3]);
        event.axis = range.axis;
        event.value = parseAxisValue(parts[4], range, text);
        return {event};
    }
    throw bad();
}

void orderPadEvents(std::vector<PadEvent>& events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const PadEvent& a, const PadEvent& b) { return a.frame < b.frame; });
    std::vector<bool> unplugged;  // by controller, one entry per connect event so far
    for (const PadEvent& event : events) {
        if (event.action == PadEvent::Action::connect) {
            unplugged.push_back(false);
            continue;
        }
        const std::string where =
            "controller " + std::to_string(event.pad) + " at frame " + std::to_string(event.frame);
        if (event.pad >= static_cast<int>(unplugged.size()))
            throw std::invalid_argument(where + " is not connected yet");
        if (unplugged[static_cast<std::size_t>(event.pad)])
            throw std::invalid_argument(where + " is unplugged already");
        if (event.action == PadEvent::Action::disconnect)
            unplugged[static_cast<std::size_t>(event.pad)] = true;
    }
}
