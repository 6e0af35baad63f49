// Running a program until a test asks it to quit with a signal, at a point the program reports.
#include "tests/quit_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace fs = std::filesystem;

namespace {

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads the program's reports until `wanted` is said; false at the end of the pipe, when every
// holder of its writing end has ended.
bool awaitLine(int fd, const std::string& wanted) {
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line == wanted) return true;
        line.clear();
    }
}

// The first child of `parent`: the program that `timeout` runs.
pid_t firstChild(pid_t parent) {
    std::FILE* children = std::fopen(
        ("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children")
            .c_str(),
        "r");
    int child = 0;
    if (children != nullptr) {
        if (std::fscanf(children, "%d", &child) != 1) child = 0;
        std::fclose(children);
    }
    return child;
}

}  // namespace

QuitOutcome runUntilQuit(const fs::path& folder, const std::string& environment,
                         const std::string& command, const QuitRequest& request, int boundSeconds) {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return {};
    // The writing end goes to the program; the test keeps only the reading end.
    ::fcntl(ready[1], F_SETFD, 0);
    const std::string wanted =
        request.frame == 0 ? "signals" : "frame " + std::to_string(request.frame);
    // The shell and env exec in place, so the spawned pid is timeout's and the program its child.
    const std::string line = "cd '" + folder.string() + "' && exec env -u DISPLAY " + kTestAudio +
                             " " + environment +
                             " QUORL_READY_FD=" + std::to_string(ready[1]) +
                             " QUORL_READY_FRAME=" + std::to_string(request.frame) +
                             " timeout --preserve-status -k 5 " + std::to_string(boundSeconds) +
                             " " + command + " 2> stderr.txt";
    const pid_t runner = fork();
    if (runner == 0) {
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(ready[1]);
    QuitOutcome outcome{};
    if (awaitLine(ready[0], wanted)) {
        // The program said it; it is timeout's child, running as long as the pipe was open.
        const pid_t program = firstChild(runner);
        if (program > 0) {
            outcome.child = firstChild(program);
            kill(program, request.signal);
            if (request.secondSignal != 0) kill(program, request.secondSignal);
            outcome.signalled = true;
        }
    }
    ::close(ready[0]);
    int status = 0;
    waitpid(runner, &status, 0);
    outcome.exitCode = exitCodeOf(status);
    outcome.errors = readText(folder / "stderr.txt");
    return outcome;
}
