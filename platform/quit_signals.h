// The message pump's side of the quit signals taken by takeQuitSignals.
#pragma once

namespace platform {

// While one lives on the main thread, a quit signal ends the process at once with `exitCode`: a
// modal message box keeps the pump from running, and the user may be gone (logout, closed
// terminal, timeout).
class QuitSignalsEndProcess {
public:
    explicit QuitSignalsEndProcess(int exitCode);
    ~QuitSignalsEndProcess();
    QuitSignalsEndProcess(const QuitSignalsEndProcess&) = delete;
    QuitSignalsEndProcess& operator=(const QuitSignalsEndProcess&) = delete;

private:
    [[maybe_unused]] bool active_ = false;
};

}  // namespace platform
