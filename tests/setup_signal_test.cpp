// Quit signals end Quorl Setup with exit code 0, and a game it started ends first, by the same
// signal, rather than running on without anyone to report its end.
#include <gtest/gtest.h>

#include "tests/quit_run.h"

namespace fs = std::filesystem;

TEST(SetupQuitSignal, EndsTheSetupAndPassesOnToItsGame) {
    const fs::path folder = makeScratchFolder("quorl-setup-signal");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    struct Case {
        int signal;
        bool playing;  // --play: the game runs when the signal comes
    };
    for (const Case& c : {Case{SIGHUP, false}, Case{SIGTERM, true}, Case{SIGINT, true},
                          Case{SIGHUP, true}}) {
        QuitRequest request;
        request.signal = c.signal;
        // The game says "frame 1" once it plays; the setup alone says when it takes the signals.
        request.frame = c.playing ? 1 : 0;
        const QuitOutcome outcome = runUntilQuit(
            folder, "SDL_VIDEODRIVER=offscreen",
            "'" + std::string(QUORL_SETUP) + "' --dir ." + (c.playing ? " --play" : ""), request);
        SCOPED_TRACE("signal " + std::to_string(c.signal) + (c.playing ? " while playing" : ""));
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        const bool gameEnded =
            outcome.errors.find("the game ended with exit code 0") != std::string::npos;
        EXPECT_EQ(gameEnded, c.playing) << outcome.errors;
        // The game ended before the setup did: it was waited for, not left running.
        ASSERT_EQ(outcome.child > 0, c.playing);
        if (c.playing && kill(outcome.child, 0) == 0) {
            kill(outcome.child, SIGKILL);
            ADD_FAILURE() << "the game outlived the setup";
        }
    }
    fs::remove_all(folder);
}
