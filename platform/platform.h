// The platform seam: window, GL context, window messages, game controllers, message boxes, swap
// and counter. The only implementation includes SDL; the rest of the program sees these types
// only.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// What the window should be when it is opened.
struct WindowRequest {
    const char* title;
    int width;
    int height;
    int colorBits;
    bool fullscreen;
    // Set by openWindow when the context can draw the picture apart from the window
    // (framebuffer objects with a blit and a packed depth and stencil buffer): the window then
    // fits the desktop, can be resized, and full screen covers the display as it is.
    bool scalable = false;
};

// How opening the window ended: ok, or the step that failed. Callers map each by name to what
// they report, so the order of the values carries no meaning.
enum class OpenResult {
    ok,
    videoUnavailable,       // the video subsystem could not start
    noDisplay,              // there is no display to show a window on
    fullscreenDeclined,     // the full-screen mode was refused and the user declined a window
    windowFailed,           // the window itself could not be made
    glLibraryUnavailable,   // no OpenGL library for the window
    pixelFormatUnsuitable,  // the context lacks double buffering, RGBA, depth or stencil
    pixelFormatRejected,    // the pixel format attributes could not be set
    contextFailed,          // the rendering context could not be made
    contextNotCurrent,      // the rendering context could not be made current
};

// Opens the window with a double-buffered RGBA context (depth 24, stencil at least 1) and
// makes it current. `fullscreen` is cleared when the user falls back to a window.
OpenResult openWindow(WindowRequest& request);

// Releases whatever openWindow achieved; safe after any failure and after success.
void closeWindow();

// Puts a scalable window back to the fixed size of the request, in a window: for a context
// whose framebuffer objects fail after all. The window and its context are made anew.
OpenResult fixWindowSize();

// A GL function of the current context by name; null when it has none of that name.
void* glFunction(const char* name);

// The window's drawable in pixels: larger than the window on a high-DPI display. None (0 x 0)
// for a window that nobody sees: the offscreen driver's, whose pictures are only read back.
void drawableSize(int& width, int& height);

// Window messages, translated from the platform's events. Keyboard and controller messages report
// the devices as they are; what a key or button means is the game's business.
enum class MessageKind {
    size,          // new drawable size in width, height
    activate,      // minimized says whether the window is minimised
    close,         // the user asked to close the window
    keyDown,       // key went down (or repeats): key, with the modifiers held
    keyUp,         // key went up: key, with the modifiers held
    keyboardLost,  // the window lost the keyboard focus: the keyboard reports nothing until back
    padAdded,      // controller `pad` was plugged in; its held buttons and moved axes follow
    padRemoved,    // controller `pad` was unplugged
    padButton,     // a button (control, a PadButton) of `pad` went down (value 1) or up (0)
    padAxis,       // an axis (control, a PadAxis) of `pad` moved to value
    quit,          // the message loop should end
};

// The modifier keys held with a key, as bits of Message::modifiers.
enum KeyModifier : std::uint8_t {
    kLeftAlt = 1,
    kRightAlt = 2,  // AltGr on layouts that have one
    kCtrl = 4,      // either Ctrl key
    kAltGr = 8,     // the mode switch key that some layouts have for AltGr
};

struct Message {
    MessageKind kind = MessageKind::quit;
    int width = 0;
    int height = 0;
    bool minimized = false;
    std::uint8_t key = 0;        // a virtual-key code (core/keys.h)
    std::uint8_t modifiers = 0;  // KeyModifier bits
    int pad = 0;                 // the controller's number, which it keeps until it is unplugged
    int control = 0;             // the button or axis number (platform/pad_controls.h)
    int value = 0;               // the button's state or the axis's position
};

// Makes SIGINT, SIGTERM and SIGHUP quit messages of the message pump: call it first thing on
// the main thread, before any other thread starts. Until then they end the process as usual.
void takeQuitSignals();

// Takes one pending quit signal, if any, without waiting: its number, or 0 when none is pending.
// The game's pump turns it into quit; a program with a loop of its own asks each turn.
int takePendingQuitSignal();

// While one lives on the main thread, a quit signal ends the process at once with exit code 0:
// start-up may wait on the window system or the disk before the message pump runs, and nothing
// needs shutting down yet. A thread of its own takes the signals meanwhile; it is gone again
// when the object is, before any message box of start-up opens.
class QuitSignalsEndStartUp {
public:
    QuitSignalsEndStartUp();
    ~QuitSignalsEndStartUp();
    QuitSignalsEndStartUp(const QuitSignalsEndStartUp&) = delete;
    QuitSignalsEndStartUp& operator=(const QuitSignalsEndStartUp&) = delete;

private:
    [[maybe_unused]] bool active_ = false;
    [[maybe_unused]] unsigned long thread_ = 0;
};

// For a test that starts the program and waits on a pipe instead of guessing how far it got:
// when QUORL_READY_FD names a descriptor, these say on it "signals" once the quit signals are
// taken (takeQuitSignals says it) and "frame N" once frame N has run, N being QUORL_READY_FRAME
// (1 when unset). Nothing happens without the variable.
void announceQuitSignalsTaken();
void announceFrame(std::uint64_t frame);

// Takes the next message, if any, without waiting; a pending quit signal comes first.
bool pollMessage(Message& out);

// Waits up to `milliseconds` for a message to arrive; returns at once when one is queued.
void waitForMessage(int milliseconds);

// Queues a message of our own ahead of the platform's events (used for quit and by tests).
void postMessage(const Message& message);

// Asks the message loop to end, as a quit message in the queue.
void postQuit();

// Drops every queued message, ours and the platform's. Controllers stay plugged in.
void discardMessages();

// Shows a message box with one OK button and also prints the text to standard error. A quit
// signal while the box is up ends the process at once with `exitCodeOnQuit`.
void showMessage(const char* caption, const char* text, int exitCodeOnQuit);

// Asks a yes/no question; without a display the question goes to standard error and the
// answer is yes. A quit signal while it is asked ends the process with `exitCodeOnQuit`.
bool askYesNo(const char* caption, const char* text, int exitCodeOnQuit);

void swapBuffers();

// Sets the buffer swap interval; false when the driver keeps its own.
bool setSwapInterval(int interval);

// The high-resolution counter and its ticks per second.
std::uint64_t counterValue();
std::uint64_t counterFrequency();

}  // namespace platform

namespace platform {

// The virtual-key code (0 when none) of a key by its physical position: a USB HID usage id,
// so every player's keys stay side by side on any keyboard layout.
std::uint8_t virtualKeyForScancode(int scancode);

// Sound: opens the default audio device for 16-bit stereo at `rate`; false with the reason
// when there is none. Everything below does nothing until it has succeeded.
bool openSound(int rate, std::string& error);

// Loads a WAV file; its number for playSound, or -1 with the reason.
int loadSound(const std::string& path, std::string& error);

// Plays a loaded sound once at `volume` (0 to 100) with a gain per side (0 to 1).
void playSound(int sound, int volume, float left, float right);

// Pauses or resumes every sound that plays.
void pauseSound(bool paused);

// Stops every sound, frees them and closes the device.
void closeSound();

}  // namespace platform
