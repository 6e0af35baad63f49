// Quit signals (SIGINT, SIGTERM, SIGHUP) as quit messages of the main thread's message pump.
//
// A process-directed signal goes to any thread that does not block it. The GL driver runs
// worker threads of its own; a quit signal landing on one of them interrupts its wait, and the
// driver later deadlocks while the window is torn down. So the signals are blocked in the main
// thread before SDL or GL start any thread (threads inherit the mask) and the pump takes them
// from the pending set without waiting. They stay blocked until the process ends, so a second
// signal cannot interrupt the shutdown either.
//
// While a modal message box is up the pump does not run. The main thread then unblocks the
// signals for itself alone, so the kernel hands them to it and to no driver thread, and their
// handler ends the process with _exit: no destructor and no driver teardown runs (the step that
// deadlocks), the kernel ends every thread at once and closes the display connection. SDL shows
// a box on X11 from a forked child while the main thread waits for it; a child forked then is
// made to die with the game, so that no box outlives it.
#include "platform/quit_signals.h"

#include "platform/platform.h"

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
// Wakes the start-up's watcher when start-up is over; blocked like the quit signals.
constexpr int kStopWatching = SIGUSR2;
bool quitSignalsTaken = false;

// While a box is up: the exit code a quit signal ends the process with, the game's process id
// (0 otherwise) and the handlers the box's own replaced.
volatile sig_atomic_t exitCodeOnQuit = 0;
volatile pid_t boxOwner = 0;
struct sigaction previousActions[sizeof kQuitSignals / sizeof kQuitSignals[0]];

sigset_t quitSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kQuitSignals) sigaddset(&set, signal);
    return set;
}

void endProcess(int) {
    _exit(exitCodeOnQuit);
}

void* watchStartUp(void*) {
    sigset_t set = quitSignalSet();
    sigaddset(&set, kStopWatching);
    int taken = 0;
    sigwait(&set, &taken);
    if (taken != kStopWatching) _exit(0);
    return nullptr;
}

// Runs in every child forked while a box is up: it ends as soon as the game does.
void dieWithGame() {
#if defined(__linux__)
    const pid_t game = boxOwner;
    if (game == 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The game may have ended before the request was made.
    if (getppid() != game) _exit(1);
#endif
}

}  // namespace

void takeQuitSignals() {
    sigset_t set = quitSignalSet();
    sigaddset(&set, kStopWatching);
    quitSignalsTaken = pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
    if (quitSignalsTaken) pthread_atfork(nullptr, nullptr, dieWithGame);
    announceQuitSignalsTaken();
}

int takePendingQuitSignal() {
    if (!quitSignalsTaken) return 0;
    sigset_t pending;
    if (sigpending(&pending) != 0) return 0;
    const sigset_t quit = quitSignalSet();
    for (const int signal : kQuitSignals) {
        if (sigismember(&pending, signal) != 1) continue;
        // The signal is pending and blocked, so sigwait takes it at once.
        int taken = 0;
        sigwait(&quit, &taken);
        return taken;
    }
    return 0;
}

QuitSignalsEndProcess::QuitSignalsEndProcess(int exitCode) {
    if (!quitSignalsTaken) return;
    active_ = true;
    exitCodeOnQuit = exitCode;
    boxOwner = getpid();
    struct sigaction action {};
    action.sa_handler = endProcess;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < sizeof kQuitSignals / sizeof kQuitSignals[0]; ++i)
        sigaction(kQuitSignals[i], &action, &previousActions[i]);
    // A signal that came while the error was being reported is taken right here.
    const sigset_t set = quitSignalSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

QuitSignalsEndProcess::~QuitSignalsEndProcess() {
    if (!active_) return;
    const sigset_t set = quitSignalSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    for (std::size_t i = 0; i < sizeof kQuitSignals / sizeof kQuitSignals[0]; ++i)
        sigaction(kQuitSignals[i], &previousActions[i], nullptr);
    boxOwner = 0;
}

QuitSignalsEndStartUp::QuitSignalsEndStartUp() {
    if (!quitSignalsTaken) return;
    pthread_t thread;
    active_ = pthread_create(&thread, nullptr, watchStartUp, nullptr) == 0;
    thread_ = static_cast<unsigned long>(thread);
}

QuitSignalsEndStartUp::~QuitSignalsEndStartUp() {
    if (!active_) return;
    const auto thread = static_cast<pthread_t>(thread_);
    pthread_kill(thread, kStopWatching);
    pthread_join(thread, nullptr);
}

#else

QuitSignalsEndStartUp::QuitSignalsEndStartUp() = default;
QuitSignalsEndStartUp::~QuitSignalsEndStartUp() = default;

void takeQuitSignals() {}
int takePendingQuitSignal() {
    return 0;
}

QuitSignalsEndProcess::QuitSignalsEndProcess(int) {}
QuitSignalsEndProcess::~QuitSignalsEndProcess() = default;

#endif

}  // namespace platform
