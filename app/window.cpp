// Opening and closing the window through the platform, and the window procedure.
#include "app/window.h"

#include <string>

#include "app/context.h"
#include "app/error_log.h"
#include "game/players/key_input.h"
#include "gfx/camera.h"
#include "gfx/offscreen.h"

namespace {

// Each way opening the window can fail, with the code createWindow returns and the text the
// player is shown for it.
struct WindowFailure {
    platform::OpenResult result;
    int code;
    const char* text;
};

constexpr WindowFailure kWindowFailures[] = {
    {platform::OpenResult::videoUnavailable, 1, "Failed to register the window class."},
    {platform::OpenResult::fullscreenDeclined, 2,
     "Not supported video mode. Program will exit now."},
    {platform::OpenResult::windowFailed, 3, "Window creation error."},
    {platform::OpenResult::glLibraryUnavailable, 4, "Can't create an OpenGL Device Context."},
    {platform::OpenResult::pixelFormatUnsuitable, 5, "Can't find a suitable pixel format."},
    {platform::OpenResult::pixelFormatRejected, 6, "Can't set the PixelFormat."},
    {platform::OpenResult::contextFailed, 7, "Can't create an OpenGL Rendering Context."},
    {platform::OpenResult::contextNotCurrent, 8, "Can't activate the OpenGL Rendering Context."},
    {platform::OpenResult::noDisplay, 9,
     "No display to show the game on: start it on a desktop (DISPLAY and WAYLAND_DISPLAY are "
     "not set)."},
};

// The game draws its picture into a framebuffer of its own, scaled into the window each frame;
// where the context cannot, the window keeps the picture's size and says so once.
platform::OpenResult drawApartFromTheWindow(bool scalable) {
    std::string error = "the graphics driver draws only into the window";
    if (scalable) {
        if (openOffscreen(platform::glFunction, error)) return platform::OpenResult::ok;
        context->window.settings.fullscreen = false;
        if (const platform::OpenResult fixed = platform::fixWindowSize();
            fixed != platform::OpenResult::ok)
            return fixed;
    }
    noteInErrorLog("Window: " + error + "; the window keeps its size of 1024 x 768.");
    return platform::OpenResult::ok;
}

}  // namespace

Window::~Window() {
    if (open) platform::closeWindow();
}

int createWindow() {
    WindowSettings& windowSettings = context->window.settings;
    platform::WindowRequest request{windowSettings.title, windowSettings.width,
                                    windowSettings.height, windowSettings.colorBits,
                                    windowSettings.fullscreen};
    platform::OpenResult result = platform::openWindow(request);
    windowSettings.fullscreen = request.fullscreen;
    if (result == platform::OpenResult::ok) {
        context->window.open = true;
        result = drawApartFromTheWindow(request.scalable);
    }
    for (const WindowFailure& failure : kWindowFailures) {
        if (failure.result == result) return failure.code;
    }
    resizeProjection(static_cast<std::uint32_t>(windowSettings.width),
                     static_cast<std::uint32_t>(windowSettings.height));
    return 0;
}

void destroyWindow() {
    closeOffscreen();
    platform::closeWindow();
    if (context != nullptr) context->window.open = false;
}

const char* windowErrorText(int code) {
    for (const WindowFailure& failure : kWindowFailures) {
        if (failure.code == code) return failure.text;
    }
    return "Unknown exception! oO";
}

void windowProc(const platform::Message& message) {
    using platform::MessageKind;
    switch (message.kind) {
        case MessageKind::size:
            // A picture drawn apart keeps its size: the window shows it scaled at each frame.
            if (offscreenOpen()) break;
            resizeProjection(static_cast<std::uint32_t>(message.width) & 0xFFFF,
                             static_cast<std::uint32_t>(message.height) & 0xFFFF);
            break;
        case MessageKind::activate:
            context->window.settings.active = !message.minimized;
            if (App* app = context->app.get(); app != nullptr && app->timer != nullptr) {
                if (message.minimized)
                    pauseGame(*app);
                else
                    resumeGame(*app);
            }
            break;
        case MessageKind::close:
            platform::postQuit();
            break;
        case MessageKind::keyDown:
        case MessageKind::keyUp:
        case MessageKind::keyboardLost:
        case MessageKind::padAdded:
        case MessageKind::padRemoved:
        case MessageKind::padButton:
        case MessageKind::padAxis:
            takeInput(message);
            break;
        case MessageKind::quit:
            break;
    }
}
