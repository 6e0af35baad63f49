// Quit signals (SIGINT, SIGTERM, SIGHUP) as quit messages of the main thread's message pump.
//
// A process-directed signal goes to any thread that does not block it. The GL driver runs
// worker threads of its own; a quit signal landing on one of them interrupts its wait, and the
// driver later deadlocks while the window is torn down. So the signals are blocked in the main
// thread before SDL or GL start any thread (threads inherit the mask) and the pump takes them
// from the pending set without waiting. They stay blocked until the process ends, so a second
// signal cannot interrupt the shutdown either.
#include "platform/quit_signals.h"

#include "platform/platform.h"

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <signal.h>
#endif

namespace platform {

#if defined(__unix__) || defined(__APPLE__)

namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};
bool quitSignalsTaken = false;

sigset_t quitSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kQuitSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

void takeQuitSignals() {
    const sigset_t set = quitSignalSet();
    quitSignalsTaken = pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

bool takePendingQuitSignal() {
    if (!quitSignalsTaken) return false;
    sigset_t pending;
    if (sigpending(&pending) != 0) return false;
    const sigset_t quit = quitSignalSet();
    for (const int signal : kQuitSignals) {
        if (sigismember(&pending, signal) != 1) continue;
        // The signal is pending and blocked, so sigwait takes it at once.
        int taken = 0;
        sigwait(&quit, &taken);
        return true;
    }
    return false;
}

#else

void takeQuitSignals() {}
bool takePendingQuitSignal() {
    return false;
}

#endif

}  // namespace platform
