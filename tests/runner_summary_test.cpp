// quorl-runner's summary of a match played to its end, the key names its scripts accept, and the
// keys file of its run folder.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// One fast round decides the match: the first line to hit a wall ends it.
Settings oneRoundMatch() {
    Settings s = matchSettings();
    s.speed = 250;
    s.fixedRounds = 1;
    s.matchLimit = 1;
    return s;
}

// The frame count of a summary, or -1 when it has none.
int framesIn(const std::string& summary) {
    std::smatch match;
    if (!std::regex_search(summary, match, std::regex("(^|\n)frames ([0-9]+)\n"))) return -1;
    return std::stoi(match[2]);
}

// SPACE presses from frame 1 and then every 10 frames until frame 600: one starts the round,
// one of the later ones ends the match once the round is over.
std::string spaceEveryTenFrames() {
    std::string keys = " --key 1+2:space";
    for (int frame = 10; frame <= 600; frame += 10)
        keys += " --key " + std::to_string(frame) + "+2:space";
    return keys;
}

}  // namespace

TEST(RunnerSummary, CountsTheFramesThatRanWhenTheMatchEnds) {
    const fs::path folder = makeScratchFolder("quorl-runner-summary");
    linkImages(folder);
    writeConfig(oneRoundMatch(), folder);
    const std::string runner = "'" + std::string(QUORL_RUNNER) + "' --seed 2 --frames 1000";

    // The press that ends the match goes down before frame index 10m, the (10m + 1)th frame;
    // the loop's next pass only takes the quit message and is no frame.
    const Outcome bySpace = runInFolder(folder, runner + spaceEveryTenFrames() + " > space.txt");
    ASSERT_EQ(bySpace.exitCode, 0) << bySpace.errors;
    const std::string space = readText(folder / "space.txt");
    EXPECT_NE(space.find("match over yes\n"), std::string::npos) << space;
    const int spaceFrames = framesIn(space);
    EXPECT_GT(spaceFrames, 20) << space;
    EXPECT_LT(spaceFrames, 600) << space;
    EXPECT_EQ(spaceFrames % 10, 1) << space;

    // ESC ends the run in the frame that sees it, which still runs: 31 frames.
    const Outcome byEscape =
        runInFolder(folder, runner + " --key 1+2:space --key 30:down:esc > escape.txt");
    ASSERT_EQ(byEscape.exitCode, 0) << byEscape.errors;
    const std::string escape = readText(folder / "escape.txt");
    EXPECT_EQ(framesIn(escape), 31) << escape;
    EXPECT_NE(escape.find("match over yes\n"), std::string::npos) << escape;
    fs::remove_all(folder);
}

TEST(RunnerSummary, EveryKeyNameIsAcceptedAndAnUnknownOneRefused) {
    const fs::path folder = makeScratchFolder("quorl-runner-keys");
    linkImages(folder);
    writeConfig(oneRoundMatch(), folder);
    // Events after the last frame: parsed, never sent.
    std::string keys;
    for (const char* name :
         {"space", "esc", "escape", "left", "right", "up", "down", "insert", "home", "pageup",
          "kp/", "kp-", "kp*", "alt", "return", "Q", "7", "200", "LEFT"})
        keys += std::string(" --key '5:down:") + name + "'";
    const std::string runner = "'" + std::string(QUORL_RUNNER) + "' --frames 1";
    const Outcome known = runInFolder(folder, runner + keys + " > known.txt");
    EXPECT_EQ(known.exitCode, 0) << known.errors;
    EXPECT_EQ(framesIn(readText(folder / "known.txt")), 1);

    const Outcome unknown = runInFolder(folder, runner + " --key 5:down:pagedown");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.errors.find("quorl-runner: unknown key 'pagedown'"), std::string::npos)
        << unknown.errors;
    fs::remove_all(folder);
}

TEST(RunnerSummary, TheRunFoldersKeysFileBindsTheKeysZTurnsSlot0AndTheArrowNoLonger) {
    const fs::path folder = makeScratchFolder("quorl-runner-keys-file");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    std::ofstream(folder / "keys") << "[slot0]\nleft = Z\n";
    const auto headingAfter = [&](const std::string& keys) {
        const Outcome run = runInFolder(folder, "'" + std::string(QUORL_RUNNER) +
                                                    "' --seed 3 --frames 60 --key 0+2:space" +
                                                    keys + " > summary.txt");
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return summaryHeading(readText(folder / "summary.txt"), 0);
    };
    const double straight = headingAfter("");
    // 50 frames of 16 ms at 180 degrees a second: 144 degrees.
    EXPECT_NEAR(headingAfter(" --key 10:down:z") - straight, 144.0, 5.0);
    EXPECT_EQ(headingAfter(" --key 10:down:left"), straight);
    fs::remove_all(folder);
}
