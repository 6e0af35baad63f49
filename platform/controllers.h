// Game controllers on SDL: hot plug, the slot each one steers, and its buttons and axes as key
// messages.
#pragma once

union SDL_Event;

namespace platform {

// Starts SDL's game-controller support; when it cannot start, the keyboard alone plays.
void startControllers();

// Closes every controller and forgets what it held; the slots' keys stay for a later start.
void stopControllers();

// Turns a controller event into key messages in the queue; other events are left alone.
void handleControllerEvent(const SDL_Event& event);

}  // namespace platform
