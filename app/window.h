// The window with its rendering context, the window procedure and the keyboard state.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct App;

// The window's size, which it keeps: the arena on its left, the score panel to the arena's right.
constexpr std::int32_t kWindowWidth = 1024;
constexpr std::int32_t kWindowHeight = 768;

struct WindowSettings {
    const char* title = "Quorl";
    std::int32_t width = kWindowWidth;
    std::int32_t height = kWindowHeight;
    std::uint8_t colorBits = 32;
    bool fullscreen = false;
    bool active = false;  // true while the window is not minimised
};

// The run's window and keyboard state.
struct Window {
    WindowSettings settings;
    // 1 while the key with that virtual-key code is down: while the keyboard or a controller
    // holds it. Written only by the key input (game/players/key_input.h), which windowProc feeds.
    std::uint8_t KeyState[256] = {};
};

// Opens the window and its context: 0 on success, otherwise the failure code 1 to 8.
int createWindow(App& app);

// Undoes whatever createWindow achieved; safe after any failure and after success.
void destroyWindow(App& app);

// The text error that start-up raises for a createWindow failure code.
const char* windowErrorText(int code);

// Reacts to one window message: keys and controllers, activation, close requests and size
// changes.
void windowProc(const platform::Message& message);
