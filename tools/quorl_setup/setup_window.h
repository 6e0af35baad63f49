// The setup program's window: SDL, an OpenGL 2 context and Dear ImGui's back ends for both.
#pragma once

#include <string>

// Opens the window "Quorl Setup" on the config at `configPath` and runs it until the player
// quits, or a quit signal (taken with platform::takeQuitSignals) ends it. With `playAtOnce` the
// saved match starts as Play starts it. Returns the exit status: 0, or 1 when the window could
// not be opened.
int runSetupWindow(const std::string& configPath, bool playAtOnce);
