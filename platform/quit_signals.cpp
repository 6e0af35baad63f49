// Quit signals (SIGINT, SIGTERM, SIGHUP) as quit messages of the main thread's message pump.
//
// A process-directed signal goes to any thread that does not block it. The GL driver runs
// worker threads of its own; a quit signal landing on one of them interrupts its wait, and the
// driver later deadlocks while the window is torn down. So the signals are blocked in the main
// thread before SDL or GL start any thread (threads inherit the mask) and the pump takes them
// from the pending set without waiting. They stay blocked until the process ends, so a second
// signal cannot interrupt the shutdown either.
//
// While a modal message box is up the pump does not run, so a watcher thread takes the signals
// instead and ends the process with _Exit. That runs no destructor and no driver teardown (the
// step that deadlocks when a driver thread was interrupted); the kernel ends every thread at
// once and closes the display connection, which takes the box and the window with it. SDL
// shows a box on X11 from a forked child while the parent waits for it; a child forked while a
// watch is on is made to die with its parent, so that no box outlives the game.
#include "platform/quit_signals.h"

#include "platform/platform.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace platform {

#if defined(__unix__) || defined(__APPLE__)

namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};
bool quitSignalsTaken = false;
// The game's process id while a box is watched, 0 otherwise.
std::atomic<pid_t> watchingProcess{0};

sigset_t quitSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kQuitSignals) sigaddset(&set, signal);
    return set;
}

// Runs in a child forked while a box is watched: it ends as soon as the game does.
void dieWithParent() {
#if defined(__linux__)
    const pid_t game = watchingProcess;
    if (game == 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The game may have ended before the request was made.
    if (getppid() != game) _exit(1);
#endif
}

}  // namespace

void takeQuitSignals() {
    const sigset_t set = quitSignalSet();
    quitSignalsTaken = pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
    if (quitSignalsTaken) pthread_atfork(nullptr, nullptr, dieWithParent);
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

struct QuitSignalsEndProcess::Watch {
    std::mutex mutex;
    std::condition_variable closing;
    bool closed = false;
    std::thread thread;
};

QuitSignalsEndProcess::QuitSignalsEndProcess(int exitCode) {
    if (!quitSignalsTaken) return;
    watch_ = std::make_unique<Watch>();
    watchingProcess = getpid();
    watch_->thread = std::thread([watch = watch_.get(), exitCode] {
        // The signals stay blocked in this thread too; it takes them from the pending set,
        // looking again every few milliseconds until the box is gone.
        std::unique_lock<std::mutex> lock(watch->mutex);
        while (!watch->closed) {
            if (takePendingQuitSignal()) {
                std::fflush(stdout);
                std::fflush(stderr);
                std::_Exit(exitCode);
            }
            watch->closing.wait_for(lock, std::chrono::milliseconds(10));
        }
    });
}

QuitSignalsEndProcess::~QuitSignalsEndProcess() {
    if (!watch_) return;
    {
        std::lock_guard<std::mutex> lock(watch_->mutex);
        watch_->closed = true;
    }
    watch_->closing.notify_one();
    watch_->thread.join();
    watchingProcess = 0;
}

#else

void takeQuitSignals() {}
bool takePendingQuitSignal() {
    return false;
}

struct QuitSignalsEndProcess::Watch {};
QuitSignalsEndProcess::QuitSignalsEndProcess(int) {}
QuitSignalsEndProcess::~QuitSignalsEndProcess() = default;

#endif

}  // namespace platform
