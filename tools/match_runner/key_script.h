// The scripted key timeline of a headless match: which virtual keys go down and up when.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct KeyEvent {
    int frame;         // the frame before which the key changes
    bool down;         // true: pressed, false: released
    std::uint8_t key;  // virtual-key code
};

// Parses one event "FRAME:down:KEY" or "FRAME:up:KEY", where KEY names a physical key (space,
// esc, left, right, up, down, insert, home, pageup, kp/, kp-, kp*, a letter or digit, or any
// name of the keys file such as "Page Down") or is a number; or a press "FRAME+FRAMES:KEY", down
// at FRAME and up FRAMES later. Throws std::invalid_argument with a message naming the bad part.
std::vector<KeyEvent> parseKeyEvent(const std::string& text);

// Parses a script: events separated by white space or new lines; '#' starts a comment.
std::vector<KeyEvent> parseKeyScript(const std::string& script);

// The virtual-key code of a key name or number; throws std::invalid_argument.
std::uint8_t scriptKeyByName(const std::string& name);

// The frame number `text` (at most nine digits) of the script event `event`; throws
// std::invalid_argument.
int parseFrame(const std::string& text, const std::string& event);

std::string lowerCase(std::string text);
