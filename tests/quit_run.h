// Running a program until a test asks it to quit with a signal, at a point the program itself
// reports reaching, so that the outcome never depends on how fast the program runs.
#pragma once

#include <sys/types.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/support.h"

struct QuitRequest {
    int signal = SIGTERM;
    // The signal goes once the program has said it reached this frame (QUORL_READY_FRAME), or
    // at 0 once it has said it takes quit signals: from then on it ends through its own
    // shutdown, where the default action would have killed it.
    std::uint64_t frame = 0;
    int secondSignal = 0;  // sent right after the first one when not 0
};

struct QuitOutcome : Outcome {
    bool signalled = false;  // false when the program ended before reaching the point
    pid_t child = 0;         // the program's first child when it was signalled, if it had one
};

// Runs `command` in `folder` with the variables of `environment` (NAME=VALUE ...) and no display,
// bounded by `timeout -k` at `boundSeconds`, keeping its standard error. The program reports its
// progress on a pipe named in QUORL_READY_FD; a program that ends or fails before reaching the
// requested point is not signalled.
QuitOutcome runUntilQuit(const std::filesystem::path& folder, const std::string& environment,
                         const std::string& command, const QuitRequest& request,
                         int boundSeconds = 60);
