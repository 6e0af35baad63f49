// The message pump's side of the quit signals taken by takeQuitSignals.
#pragma once

namespace platform {

// Takes one pending quit signal, if any, without waiting; the pump turns it into quit.
bool takePendingQuitSignal();

}  // namespace platform
