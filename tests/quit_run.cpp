// Running a program until a test asks it to quit with a signal, without racing its start.
#include "tests/quit_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// The first child of `parent`, or 0 while it has none.
pid_t firstChild(pid_t parent) {
    std::ifstream children("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) +
                           "/children");
    pid_t child = 0;
    children >> child;
    return child;
}

// Whether the main thread of `pid` blocks SIGINT, SIGTERM and SIGHUP.
bool blocksQuitSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigBlk:", 0) != 0) continue;
        const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        const auto bit = [](int signal) { return 1ULL << (signal - 1); };
        const unsigned long long wanted = bit(SIGINT) | bit(SIGTERM) | bit(SIGHUP);
        return (mask & wanted) == wanted;
    }
    return false;
}

// The processor time all threads of `pid` have used, user and system; 0 once it has ended.
double cpuSecondsOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    // The fields after the command name, which may hold spaces, start at the third: the state.
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) return 0.0;
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string field;
    for (int skipped = 3; skipped < 14; ++skipped) fields >> field;
    unsigned long long user = 0, system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

QuitOutcome runUntilQuit(const fs::path& folder, const std::string& environment,
                         const std::string& command, const QuitRequest& request, int boundSeconds) {
    // The shell and env exec in place, so the spawned pid is timeout's and the program its child.
    const std::string line = "cd '" + folder.string() + "' && exec env -u DISPLAY " + environment +
                             " timeout " + "--preserve-status -k 5 " +
                             std::to_string(boundSeconds) + " " + command + " 2> stderr.txt";
    const pid_t runner = fork();
    if (runner == 0) {
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    QuitOutcome outcome{};
    int status = 0;
    pid_t program = 0;
    for (;;) {
        if (waitpid(runner, &status, WNOHANG) == runner) {
            outcome.exitCode = exitCodeOf(status);
            outcome.errors = readText(folder / "stderr.txt");
            return outcome;
        }
        if (program == 0) program = firstChild(runner);
        if (program != 0 && blocksQuitSignals(program) && request.ready() &&
            cpuSecondsOf(program) >= request.cpuSeconds)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const Clock::time_point sent = Clock::now();
    kill(program, request.signal);
    if (request.secondSignal != 0) kill(program, request.secondSignal);
    waitpid(runner, &status, 0);
    outcome.signalled = true;
    outcome.secondsAfterSignal = std::chrono::duration<double>(Clock::now() - sent).count();
    outcome.exitCode = exitCodeOf(status);
    outcome.errors = readText(folder / "stderr.txt");
    return outcome;
}
