// Running a program until a test asks it to quit with a signal, without racing its start.
#pragma once

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/support.h"

struct QuitRequest {
    int signal = SIGTERM;
    // The signal goes once the program has used this much processor time in all: a point in
    // its own progress, the same however loaded the machine is.
    double cpuSeconds = 0.0;
    int secondSignal = 0;  // sent right after the first one when not 0
    std::function<bool()> ready = [] { return true; };
};

struct QuitOutcome : Outcome {
    bool signalled = false;           // false when the program ended before the signal
    double secondsAfterSignal = 0.0;  // from the first signal to the program's end
};

// Runs `command` in `folder` with the variables of `environment` (NAME=VALUE ...) and no display,
// bounded by `timeout -k` at `boundSeconds`, keeping its standard error.
// The signal goes out only once the program has blocked the quit signals to take them itself
// (a signal before that would end it as the default action does), so the outcome never
// depends on how fast the program starts.
QuitOutcome runUntilQuit(const std::filesystem::path& folder, const std::string& environment,
                         const std::string& command, const QuitRequest& request,
                         int boundSeconds = 60);
