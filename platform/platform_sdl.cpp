// The platform seam on SDL2: window and GL context, event translation, message boxes,
// buffer swap, swap interval and the high-resolution counter. Controllers are in controllers.cpp.
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <string>

#include "core/picture_fit.h"
#include "platform/controllers.h"
#include "platform/platform.h"
#include "platform/quit_signals.h"

namespace platform {
namespace {

// The context's GL_ARB_sync entry points, or null where it offers none.
struct SyncFunctions {
    PFNGLFENCESYNCPROC fenceSync = nullptr;
    PFNGLCLIENTWAITSYNCPROC clientWaitSync = nullptr;
    PFNGLDELETESYNCPROC deleteSync = nullptr;
};

struct WindowState {
    bool videoStarted = false;
    bool glLibraryLoaded = false;
    bool cursorHidden = false;
    bool swapWaitsForNothing = false;
    SDL_Window* window = nullptr;
    int width = 0, height = 0;  // the size the window was asked for
    SDL_GLContext context = nullptr;
    SyncFunctions sync;
    GLsync lastSwap = nullptr;  // fence after the last swap, while a frame is in flight
};

WindowState state;
std::deque<Message> ownMessages;

// Whether the display offers the requested full-screen mode with 8 bits per channel.
bool fullscreenModeAvailable(const WindowRequest& request, SDL_DisplayMode& found) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        if (mode.w == request.width && mode.h == request.height &&
            SDL_BITSPERPIXEL(mode.format) >= 24) {
            found = mode;
            return true;
        }
    }
    return false;
}

bool requestPixelFormat() {
    return SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8) == 0;
}

// The game cannot run without the stencil buffer (its collision map), RGBA colour and depth.
// Double buffering is asked for but not demanded: an offscreen surface has no front buffer.
bool pixelFormatSuitable() {
    int stencil = 0, depth = 0, red = 0;
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    return stencil >= 1 && depth >= 16 && red >= 5;
}

bool contextScales() {
    for (const char* extension :
         {"GL_EXT_framebuffer_object", "GL_EXT_framebuffer_blit", "GL_EXT_packed_depth_stencil"}) {
        if (SDL_GL_ExtensionSupported(extension) != SDL_TRUE) return false;
    }
    return true;
}

// A scalable window: desktop full screen, or the largest size that fits the usable desktop of
// its display, centred, and resizable.
void fitWindow(const WindowRequest& request) {
    const int display = std::max(SDL_GetWindowDisplayIndex(state.window), 0);
    if (request.fullscreen) {
        // Without a window manager nothing resizes the window to the display: it is given the
        // display's bounds itself, which a window manager's full screen then keeps.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(display, &bounds) == 0) {
            SDL_SetWindowPosition(state.window, bounds.x, bounds.y);
            SDL_SetWindowSize(state.window, bounds.w, bounds.h);
        }
        SDL_SetWindowFullscreen(state.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_ShowCursor(SDL_DISABLE);
        state.cursorHidden = true;
        return;
    }
    SDL_Rect usable;
    // The offscreen driver shows nothing: its window keeps the picture's size.
    const bool shown = std::strcmp(SDL_GetCurrentVideoDriver(), "offscreen") != 0;
    if (shown && SDL_GetDisplayUsableBounds(display, &usable) == 0) {
        const PictureRect size = windowForDesktop(request.width, request.height, usable.w,
                                                  usable.h - kWindowFrameAllowance);
        SDL_SetWindowSize(state.window, size.width, size.height);
        SDL_SetWindowPosition(state.window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    }
    SDL_SetWindowMinimumSize(state.window, request.width / 4, request.height / 4);
    SDL_SetWindowResizable(state.window, SDL_TRUE);
}

// Once shown, the window manager's frame is known: the window with its frame goes in the middle
// of the usable desktop, so that neither title bar nor bottom edge is cut off.
void centreWithFrame() {
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_Rect usable;
    const int display = std::max(SDL_GetWindowDisplayIndex(state.window), 0);
    if (SDL_GetWindowBordersSize(state.window, &top, &left, &bottom, &right) != 0 ||
        SDL_GetDisplayUsableBounds(display, &usable) != 0)
        return;
    int width = 0, height = 0;
    SDL_GetWindowSize(state.window, &width, &height);
    SDL_SetWindowPosition(state.window,
                          usable.x + std::max(0, (usable.w - width - left - right) / 2) + left,
                          usable.y + std::max(0, (usable.h - height - top - bottom) / 2) + top);
}

// A window of fixed size, as the context cannot draw apart from it: resizing reallocates the
// drawable, and with it the stencil buffer that holds every trail. Full screen switches the
// display to the picture's size, when it offers that mode and the user does not prefer a window.
OpenResult fixWindow(WindowRequest& request) {
    if (!request.fullscreen) return OpenResult::ok;
    SDL_DisplayMode mode{};
    if (!fullscreenModeAvailable(request, mode)) {
        // A quit while the question is asked ends the run before the game began: exit code 0.
        // The question is worded and spelt as players have always seen it.
        if (!askYesNo("Use windowes mode?",
                      "The requested fullscreen mode is not supported by\nyour video card. "
                      "Use windowed mode instead?",
                      0))
            return OpenResult::fullscreenDeclined;
        request.fullscreen = false;
        return OpenResult::ok;
    }
    SDL_SetWindowDisplayMode(state.window, &mode);
    SDL_SetWindowFullscreen(state.window, SDL_WINDOW_FULLSCREEN);
    // Without a window manager nothing moves the window onto the new, smaller desktop.
    SDL_Rect display;
    if (SDL_GetDisplayBounds(0, &display) == 0)
        SDL_SetWindowPosition(state.window, display.x, display.y);
    SDL_ShowCursor(SDL_DISABLE);
    state.cursorHidden = true;
    return OpenResult::ok;
}

// The window, hidden at the picture's size, and its context, made current.
OpenResult makeWindowAndContext(const char* title, Uint32 flags) {
    state.window =
        SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, state.width,
                         state.height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | flags);
    if (state.window == nullptr) return OpenResult::windowFailed;
    state.context = SDL_GL_CreateContext(state.window);
    if (state.context == nullptr) return OpenResult::contextFailed;
    if (SDL_GL_MakeCurrent(state.window, state.context) != 0) return OpenResult::contextNotCurrent;
    if (!pixelFormatSuitable()) return OpenResult::pixelFormatUnsuitable;
    return OpenResult::ok;
}

void destroyWindowAndContext() {
    if (state.context != nullptr) {
        SDL_GL_MakeCurrent(state.window, nullptr);
        SDL_GL_DeleteContext(state.context);
        state.context = nullptr;
    }
    if (state.window != nullptr) {
        SDL_DestroyWindow(state.window);
        state.window = nullptr;
    }
}

// A window of fixed size has the picture's pixels as its own, so it is made again without
// high-DPI: on a high-DPI display its drawable would be larger than the picture, which would
// fill only a corner of it; without, the desktop scales the whole window.
OpenResult remakeWithoutHighDpi() {
    const std::string title = SDL_GetWindowTitle(state.window);
    destroyWindowAndContext();
    return makeWindowAndContext(title.c_str(), 0);
}

// The window is made hidden at the picture's size; once its context shows what it can do, it
// is fitted or fixed, and shown.
OpenResult createWindowAndContext(WindowRequest& request) {
    if (SDL_GL_LoadLibrary(nullptr) != 0) return OpenResult::glLibraryUnavailable;
    state.glLibraryLoaded = true;
    if (!requestPixelFormat()) return OpenResult::pixelFormatRejected;
    state.width = request.width;
    state.height = request.height;
    if (const OpenResult made = makeWindowAndContext(request.title, SDL_WINDOW_ALLOW_HIGHDPI);
        made != OpenResult::ok)
        return made;
    request.scalable = contextScales();
    if (request.scalable) {
        fitWindow(request);
    } else {
        if (const OpenResult made = remakeWithoutHighDpi(); made != OpenResult::ok) return made;
        if (const OpenResult fixed = fixWindow(request); fixed != OpenResult::ok) return fixed;
    }
    SDL_ShowWindow(state.window);
    if (request.scalable && !request.fullscreen) centreWithFrame();
    return OpenResult::ok;
}

SyncFunctions lookUpSyncFunctions() {
    SyncFunctions found;
    if (SDL_GL_ExtensionSupported("GL_ARB_sync") != SDL_TRUE) return found;
    found.fenceSync = reinterpret_cast<PFNGLFENCESYNCPROC>(SDL_GL_GetProcAddress("glFenceSync"));
    found.clientWaitSync =
        reinterpret_cast<PFNGLCLIENTWAITSYNCPROC>(SDL_GL_GetProcAddress("glClientWaitSync"));
    found.deleteSync = reinterpret_cast<PFNGLDELETESYNCPROC>(SDL_GL_GetProcAddress("glDeleteSync"));
    if (found.fenceSync == nullptr || found.clientWaitSync == nullptr ||
        found.deleteSync == nullptr)
        return SyncFunctions{};
    return found;
}

void forgetLastSwap() {
    if (state.lastSwap != nullptr) state.sync.deleteSync(state.lastSwap);
    state.lastSwap = nullptr;
}

// Waits until the GL has finished the frame of the last swap, so that at most the frame being
// swapped now is queued: memory stays bounded while the rasteriser works on one frame as the
// game prepares the next. Without fences it waits for everything, this frame included.
void waitForLastSwap() {
    if (state.sync.fenceSync == nullptr) {
        glFinish();
        return;
    }
    if (state.lastSwap == nullptr) return;
    constexpr GLuint64 kNoTimeLimit = std::numeric_limits<GLuint64>::max();
    state.sync.clientWaitSync(state.lastSwap, GL_SYNC_FLUSH_COMMANDS_BIT, kNoTimeLimit);
    forgetLastSwap();
}

bool windowMinimized() {
    return state.window != nullptr &&
           (SDL_GetWindowFlags(state.window) & SDL_WINDOW_MINIMIZED) != 0;
}

bool translateWindowEvent(const SDL_WindowEvent& event, Message& out) {
    // SDL lets go of every key it saw held on focus loss; the game hears that the keyboard is gone.
    if (event.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        Message lost;
        lost.kind = MessageKind::keyboardLost;
        postMessage(lost);
    }
    switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.kind = MessageKind::size;
            out.width = event.data1;
            out.height = event.data2;
            if (state.window != nullptr)
                SDL_GL_GetDrawableSize(state.window, &out.width, &out.height);
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
            out.kind = MessageKind::activate;
            out.minimized = true;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = MessageKind::activate;
            out.minimized = windowMinimized();
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = MessageKind::close;
            return true;
        default:
            return false;
    }
}

// A key by its place on the keyboard, with the modifiers held; SDL reports AltGr as right Alt.
bool translateKeyEvent(const SDL_KeyboardEvent& event, Message& out) {
    const std::uint8_t key = virtualKeyForScancode(event.keysym.scancode);
    if (key == 0) return false;
    out.kind = event.type == SDL_KEYDOWN ? MessageKind::keyDown : MessageKind::keyUp;
    out.key = key;
    const Uint16 mod = event.keysym.mod;
    if ((mod & KMOD_LALT) != 0) out.modifiers |= kLeftAlt;
    if ((mod & KMOD_RALT) != 0) out.modifiers |= kRightAlt;
    if ((mod & KMOD_CTRL) != 0) out.modifiers |= kCtrl;
    if ((mod & KMOD_MODE) != 0) out.modifiers |= kAltGr;
    return true;
}

bool translateEvent(const SDL_Event& event, Message& out) {
    out = Message{};
    switch (event.type) {
        case SDL_QUIT:
            out.kind = MessageKind::quit;
            return true;
        case SDL_WINDOWEVENT:
            return translateWindowEvent(event.window, out);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translateKeyEvent(event.key, out);
        default:
            return translateControllerEvent(event, out);
    }
}

bool takeOwnMessage(Message& out) {
    if (ownMessages.empty()) return false;
    out = ownMessages.front();
    ownMessages.pop_front();
    return true;
}

}  // namespace

OpenResult openWindow(WindowRequest& request) {
    // Quit signals are the message pump's own (takeQuitSignals); SDL keeps its hands off them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return OpenResult::videoUnavailable;
    // Without a display SDL falls back to a driver that shows nothing, and the game would run
    // unseen; only a driver asked for by name (the tests' and the runner's offscreen one) may.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const char* driver = SDL_GetCurrentVideoDriver();
    if ((asked == nullptr || *asked == '\0') && driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
         std::strcmp(driver, "evdev") == 0)) {
        return OpenResult::noDisplay;
    }
    state.videoStarted = true;
    const OpenResult result = createWindowAndContext(request);
    if (result != OpenResult::ok) return result;
    // The offscreen driver's swap waits for no display, so nothing else would keep the
    // driver's threaded rasteriser from piling up frames that are never read back: the swap
    // waits for the frame before, with a fence where the context offers them.
    state.swapWaitsForNothing = std::strcmp(SDL_GetCurrentVideoDriver(), "offscreen") == 0;
    if (state.swapWaitsForNothing) state.sync = lookUpSyncFunctions();
    SDL_StopTextInput();
    SDL_DisableScreenSaver();
    SDL_RaiseWindow(state.window);
    startControllers();
    // The window is shown in front: it starts active, as if activated right away.
    Message shown;
    shown.kind = MessageKind::activate;
    shown.minimized = false;
    postMessage(shown);
    return OpenResult::ok;
}

void closeWindow() {
    if (state.cursorHidden) SDL_ShowCursor(SDL_ENABLE);
    state.cursorHidden = false;
    state.swapWaitsForNothing = false;
    if (state.context != nullptr) forgetLastSwap();
    state.sync = SyncFunctions{};
    destroyWindowAndContext();
    if (state.glLibraryLoaded) SDL_GL_UnloadLibrary();
    state.glLibraryLoaded = false;
    stopControllers();
    if (state.videoStarted) SDL_Quit();
    state.videoStarted = false;
    ownMessages.clear();
}

OpenResult fixWindowSize() {
    if (state.window == nullptr) return OpenResult::ok;
    if (state.cursorHidden) SDL_ShowCursor(SDL_ENABLE);
    state.cursorHidden = false;
    if (const OpenResult made = remakeWithoutHighDpi(); made != OpenResult::ok) return made;
    SDL_ShowWindow(state.window);
    SDL_RaiseWindow(state.window);
    return OpenResult::ok;
}

void* glFunction(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

void drawableSize(int& width, int& height) {
    width = height = 0;
    if (state.window != nullptr && !state.swapWaitsForNothing)
        SDL_GL_GetDrawableSize(state.window, &width, &height);
}

bool pollMessage(Message& out) {
    if (takePendingQuitSignal() != 0) {
        out = Message{};
        out.kind = MessageKind::quit;
        return true;
    }
    if (takeOwnMessage(out)) return true;
    if (!state.videoStarted) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        // An event becomes a message, or queues the messages it causes, or neither.
        if (translateEvent(event, out) || takeOwnMessage(out)) return true;
    }
    return false;
}

void waitForMessage(int milliseconds) {
    if (!ownMessages.empty() || !state.videoStarted) return;
    SDL_WaitEventTimeout(nullptr, milliseconds);
}

void postMessage(const Message& message) {
    ownMessages.push_back(message);
}

void postQuit() {
    Message quit;
    quit.kind = MessageKind::quit;
    postMessage(quit);
}

void discardMessages() {
    ownMessages.clear();
    if (state.videoStarted) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}

void showMessage(const char* caption, const char* text, int exitCodeOnQuit) {
    std::fprintf(stderr, "%s\n%s\n", caption, text);
    const QuitSignalsEndProcess quitEndsProcess(exitCodeOnQuit);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

bool askYesNo(const char* caption, const char* text, int exitCodeOnQuit) {
    std::fprintf(stderr, "%s\n%s\n", caption, text);
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const SDL_MessageBoxData box = {
        SDL_MESSAGEBOX_WARNING, nullptr, caption, text, 2, buttons, nullptr};
    int answer = 1;
    const QuitSignalsEndProcess quitEndsProcess(exitCodeOnQuit);
    if (SDL_ShowMessageBox(&box, &answer) != 0) {
        std::fprintf(stderr, "(no display for the question: answering yes)\n");
        return true;
    }
    return answer == 1;
}

void swapBuffers() {
    if (state.window == nullptr) return;
    if (state.swapWaitsForNothing) waitForLastSwap();
    SDL_GL_SwapWindow(state.window);
    if (state.sync.fenceSync != nullptr)
        state.lastSwap = state.sync.fenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

bool setSwapInterval(int interval) {
    return SDL_GL_SetSwapInterval(interval) == 0;
}

std::uint64_t counterValue() {
    return SDL_GetPerformanceCounter();
}
std::uint64_t counterFrequency() {
    return SDL_GetPerformanceFrequency();
}

}  // namespace platform
