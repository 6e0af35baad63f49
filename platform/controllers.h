// Game controllers on SDL: opened when plugged in, closed when unplugged, and their buttons and
// axes reported as messages.
#pragma once

union SDL_Event;

namespace platform {

struct Message;

// Starts SDL's game-controller support; when it cannot start, the keyboard alone plays.
void startControllers();

// Closes every controller.
void stopControllers();

// Turns a controller event into its message: true when `out` holds one. A controller plugged in
// is reported with its held buttons and moved axes after it, queued as messages of our own.
// Other events are left alone.
bool translateControllerEvent(const SDL_Event& event, Message& out);

}  // namespace platform
