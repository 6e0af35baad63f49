// Quit signals end the real game and the headless runner through their normal shutdown.
#include <gtest/gtest.h>

#include "tests/quit_run.h"

namespace fs = std::filesystem;

namespace {

// The sanitizers slow start-up and shutdown several-fold; there the bound only tells a clean
// end from a hang.
constexpr double kSecondsToEnd = QUORL_SANITIZED ? 5.0 : 1.0;

const char* signalName(int signal) {
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
}

}  // namespace

// Signals at points from the start to half a second of the game's processor time: in
// start-up, in the intro, in the full-screen question without a display, and with a second
// signal during the shutdown. Points in the game's own progress, not delays, pick the moments,
// so a loaded machine changes only how long the runs take. One game runs at a time: games run
// together share the processors so thinly that a shutdown alone takes longer than a second.
TEST(QuitSignal, EndsTheGameWithExitZeroWithinASecondWheneverItArrives) {
    const fs::path folder = makeScratchFolder("quorl-quit-signal");
    linkImages(folder);
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int run = 0; run <= 20; ++run) {
        Settings s = matchSettings();
        s.fullscreen = run % 4 == 1;  // the offscreen display offers no such mode: a question
        writeConfig(s, folder);
        QuitRequest request;
        request.signal = signals[run % 3];
        request.cpuSeconds = run * 0.025;
        request.secondSignal = run % 5 == 2 ? SIGTERM : 0;
        const QuitOutcome outcome = runUntilQuit(folder, "SDL_VIDEODRIVER=offscreen",
                                                 "'" + std::string(QUORL_BINARY) + "'", request);
        SCOPED_TRACE(std::string(signalName(request.signal)) + " after " +
                     std::to_string(request.cpuSeconds) + " s of processor time" +
                     (s.fullscreen ? ", full screen asked" : ""));
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        EXPECT_LT(outcome.secondsAfterSignal, kSecondsToEnd);
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
        fs::remove(folder / "frame-000060.png");
        QuitRequest request;
        request.signal = signal;
        // Once it has played 60 frames, round 1 under way.
        request.ready = [&] { return fs::exists(folder / "frame-000060.png"); };
        const QuitOutcome outcome = runUntilQuit(
            folder, "",
            "'" + std::string(QUORL_RUNNER) +
                "' --frames 10000000 --key 1+2:space --every 60 --prefix frame > summary.txt",
            request);
        SCOPED_TRACE(signalName(signal));
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        const std::string summary = readText(folder / "summary.txt");
        EXPECT_NE(summary.find("round 1\nmatch over yes\n"), std::string::npos) << summary;
    }
    fs::remove_all(folder);
}
