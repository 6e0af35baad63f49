// The application record, the entry's three guarded phases, the main loop and the frame step.
#pragma once

#include <cstdint>
#include <functional>

#include "game/frame_timer.h"
#include "platform/platform.h"

struct App {
    platform::Message message;  // the last message taken from the queue
    bool windowOpen = false;
    bool quit = false;
    double frameTime = 0.0;    // milliseconds the last frame took
    std::uint64_t frames = 0;  // frames run so far
    FrameTimer* timer = nullptr;
    bool paused = false;         // minimised: no frames, and time stands still for the game
    std::uint64_t pausedAt = 0;  // the frame timer's counter when the pause began

    // Reads `config`, then `keys`, and starts the frame timer.
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;
};

// Runs the whole program and returns its exit code: 0, -1, -2 or -3.
int runQuorl();

// Makes the context's App and runs start-up: 0, or -1 / -2 after showing (and logging) the
// error.
int startUp();

// Runs the main loop and shuts down: 0, or -3 after a fatal error (shown, nothing released).
int runAndShutDown(App& app);

// Runs `body` under the fatal-error handling of a running game: its result, or -3 after a
// thrown error's text has been shown in a message box (nothing is released).
int runGuarded(const std::function<int()>& body);

// Start-up after the App is made: the three steps below, in this order.
void initialize();

// Opens the 1024 x 768 window, fullscreen as configured; throws the window's error text.
void openWindow();

// Makes the camera and sets the orthographic projection of the window's size.
void makeCameraAndProjection();

// Sets the game's GL state, loads its images and lets controllers steer the enabled slots.
void startGame();

// Handles messages and runs frames until `quit` is set.
void runMainLoop(App& app);

// What one pass of the main loop did.
enum class LoopStep { message, frame, idle };

// One pass of the main loop: one queued message, or else (while active) one frame.
LoopStep pumpOnce(App& app);

// One frame for a driver without a window system (the headless runner, the benchmark): handles
// the queued messages, then runs a frame; nobody can minimise such a window, so it is active.
// False when the game quit before a frame ran.
bool runHeadlessFrame(App& app);

// One frame: measures the frame time, restarts the timer and runs the current scene.
void stepFrame(App& app);

// Minimising pauses the game: the first frame after restoring measures from the restore on,
// and the players' gap timers leave the paused time out, so no line moves or opens a gap for
// the time spent minimised. Repeated calls of either are ignored.
void pauseGame(App& app);
void resumeGame(App& app);

// Ends the run: writes the match's results, when a round was played, and destroys the context,
// which releases everything in shutdown order.
void shutdown();
