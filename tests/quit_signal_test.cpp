// Quit signals end the real game and the headless runner through their normal shutdown.
#include <gtest/gtest.h>

#include "tests/quit_run.h"

namespace fs = std::filesystem;

namespace {

const char* signalName(int signal) {
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
}

}  // namespace

// Signals at points of the game's own progress: as soon as it takes them, in start-up (the
// full-screen question without a display among it), and at frames of the intro, with a second
// signal during the shutdown. The game says on a pipe when it reaches each point, so a loaded
// machine changes only how long the runs take; a game that hangs is ended by the bound of the
// run and fails.
TEST(QuitSignal, EndsTheGameWithExitZeroWheneverItArrives) {
    const fs::path folder = makeScratchFolder("quorl-quit-signal");
    linkImages(folder);
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    const std::uint64_t frames[] = {0, 1, 2, 5, 30};
    for (int run = 0; run < 15; ++run) {
        Settings s = matchSettings();
        s.fullscreen = run % 4 == 1;  // the offscreen display offers no such mode: a question
        writeConfig(s, folder);
        QuitRequest request;
        request.signal = signals[run % 3];
        request.frame = frames[run % 5];
        request.secondSignal = run % 7 == 2 ? SIGTERM : 0;
        const QuitOutcome outcome = runUntilQuit(folder, "SDL_VIDEODRIVER=offscreen",
                                                 "'" + std::string(QUORL_BINARY) + "'", request);
        SCOPED_TRACE(std::string(signalName(request.signal)) + " at frame " +
                     std::to_string(request.frame) + (s.fullscreen ? ", full screen asked" : ""));
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        EXPECT_EQ(outcome.errors.find("An exception occured"), std::string::npos) << outcome.errors;
        EXPECT_FALSE(fs::exists(folder / "errorlog.txt"));
    }
    fs::remove_all(folder);
}

// The runner ends a match the same way, with its summary, whichever signal comes.
TEST(QuitSignal, EndsTheRunnerMidMatchWithItsSummary) {
    const fs::path folder = makeScratchFolder("quorl-quit-runner");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QuitRequest request;
        request.signal = signal;
        request.frame = 60;  // round 1 under way
        const QuitOutcome outcome = runUntilQuit(
            folder, "",
            "'" + std::string(QUORL_RUNNER) + "' --frames 10000000 --key 1+2:space > summary.txt",
            request);
        SCOPED_TRACE(signalName(signal));
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        const std::string summary = readText(folder / "summary.txt");
        EXPECT_NE(summary.find("round 1\nmatch over yes\n"), std::string::npos) << summary;
    }
    fs::remove_all(folder);
}
