// The window with its rendering context and the window procedure.
#pragma once

#include <cstdint>

#include "gfx/gfx.h"
#include "platform/platform.h"

struct WindowSettings {
    const char* title = "Quorl";
    std::int32_t width = kScreenWidth;
    std::int32_t height = kScreenHeight;
    std::uint8_t colorBits = 32;
    bool fullscreen = false;
    bool active = false;  // true while the window is not minimised
};

// The run's window.
struct Window {
    WindowSettings settings;
    bool open = false;  // createWindow succeeded and nothing closed it since

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Closes the window when it is open.
    ~Window();
};

// Opens the window and its context: 0 on success, otherwise the failure code 1 to 8.
int createWindow();

// Undoes whatever createWindow achieved; safe after any failure and after success.
void destroyWindow();

// The text error that start-up raises for a createWindow failure code.
const char* windowErrorText(int code);

// Reacts to one window message: keys and controllers, activation, close requests and size
// changes.
void windowProc(const platform::Message& message);
