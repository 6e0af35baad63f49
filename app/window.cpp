// Opening and closing the window through the platform, and the window procedure.
#include "app/window.h"

#include "app/app.h"
#include "gfx/camera.h"

WindowSettings windowSettings;
std::uint8_t KeyState[256] = {};

int createWindow(App& app) {
    platform::WindowRequest request{windowSettings.title, windowSettings.width,
                                    windowSettings.height, windowSettings.colorBits,
                                    windowSettings.fullscreen};
    const platform::OpenResult result = platform::openWindow(request);
    windowSettings.fullscreen = request.fullscreen;
    if (result != platform::OpenResult::ok) return static_cast<int>(result);
    app.windowOpen = true;
    resizeProjection(static_cast<std::uint32_t>(windowSettings.width),
                     static_cast<std::uint32_t>(windowSettings.height));
    return 0;
}

void destroyWindow(App& app) {
    platform::closeWindow();
    app.windowOpen = false;
}

const char* windowErrorText(int code) {
    switch (code) {
        case 1:
            return "Failed to register the window class.";
        case 2:
            return "Not supported video mode. Program will exit now.";
        case 3:
            return "Window creation error.";
        case 4:
            return "Can't create an OpenGL Device Context.";
        case 5:
            return "Can't find a suitable pixel format.";
        case 6:
            return "Can't set the PixelFormat.";
        case 7:
            return "Can't create an OpenGL Rendering Context.";
        case 8:
            return "Can't activate the OpenGL Rendering Context.";
        default:
            return "Unknown exception! oO";
    }
}

void windowProc(const platform::Message& message) {
    using platform::MessageKind;
    switch (message.kind) {
        case MessageKind::size:
            resizeProjection(static_cast<std::uint32_t>(message.width) & 0xFFFF,
                             static_cast<std::uint32_t>(message.height) & 0xFFFF);
            break;
        case MessageKind::activate:
            windowSettings.active = !message.minimized;
            if (app != nullptr && app->timer != nullptr) {
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
            KeyState[message.key] = 1;
            break;
        case MessageKind::keyUp:
            KeyState[message.key] = 0;
            break;
        case MessageKind::systemKey:
        case MessageKind::quit:
            break;
    }
}
