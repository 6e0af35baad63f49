// The window with its rendering context, the window procedure and the keyboard state.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct App;

struct WindowSettings {
    const char* title = "Quorl";
    std::int32_t width = 1024;
    std::int32_t height = 768;
    std::uint8_t colorBits = 32;
    bool fullscreen = false;
    bool active = false;  // true while the window is not minimised
};

extern WindowSettings windowSettings;

// 1 while the key with that virtual-key code is down: while the keyboard or a controller holds
// it. Written only by the key input (game/players/key_input.h), which windowProc feeds.
extern std::uint8_t KeyState[256];

// Opens the window and its context: 0 on success, otherwise the failure code 1 to 8.
int createWindow(App& app);

// Undoes whatever createWindow achieved; safe after any failure and after success.
void destroyWindow(App& app);

// The text error that start-up raises for a createWindow failure code.
const char* windowErrorText(int code);

// The window settings and the key state table as a new process has them.
void resetWindowState();

// Reacts to one window message: keys and controllers, activation, close requests and size
// changes.
void windowProc(const platform::Message& message);
