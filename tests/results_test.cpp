// The results of a match: what the game writes when a match ends, and reading them back.
#include "core/results.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// A text and what it holds, read back alike.
MatchResults parsed(const std::string& text) {
    std::vector<Fault> faults;
    const MatchResults results = parseResults(text, faults);
    EXPECT_TRUE(faults.empty()) << faultList(faults, "results");
    return results;
}

// The score of each player of a runner summary, by the player's index.
std::vector<unsigned> summaryScores(const std::string& summary) {
    std::vector<unsigned> scores;
    const std::regex line("player [0-9]+ [^:]*: alive [01], score ([0-9]+)");
    for (auto it = std::sregex_iterator(summary.begin(), summary.end(), line);
         it != std::sregex_iterator(); ++it)
        scores.push_back(static_cast<unsigned>(std::stoul((*it)[1])));
    return scores;
}

}  // namespace

TEST(Results, WrittenResultsReadBackAsTheyWere) {
    MatchResults results;
    results.date = "2026-12-09 21:30:05";
    results.reachedLimit = true;
    results.limit = 2;
    results.players = {{1, "Ödön", "red.png", ComputerLevel::none, 2},
                       {6, "A \"B\" #1", "cyan.png", ComputerLevel::hard, 1}};
    results.rounds = {{{6}, 1}, {{1}, 6}, {{6, 1}, 0}, {{1}, std::nullopt}};
    const MatchResults again = parsed(formatResults(results));
    EXPECT_EQ(formatResults(again), formatResults(results));
    ASSERT_EQ(standings(again).size(), 2u);
    EXPECT_EQ(standings(again)[0].name, "Ödön");
}

// Three players to 3 points, SPACE every 10 frames: the file names every round's deaths and
// survivor, and the scores the game ended with; a match left in the intro writes nothing.
TEST(Results, TheGameWritesTheRoundsAndScoresOfItsMatch) {
    const fs::path folder = makeScratchFolder("quorl-results");
    linkImages(folder);
    Settings s = matchSettings();
    s.matchLimit = 3;
    s.speed = 250;
    s.slotEnabled[2] = 1;
    s.playerCount = 3;
    std::strcpy(s.patternFile[2], "blue.png");
    writeConfig(s, folder);
    std::string keys;
    for (int frame = 1; frame <= 3000; frame += 10)
        keys += " --key " + std::to_string(frame) + "+2:space";
    const std::string runner = "'" + std::string(QUORL_RUNNER) + "' --seed 4";
    ASSERT_EQ(runInFolder(folder, runner + " --frames 3000" + keys + " > summary.txt").exitCode, 0);

    const std::string summary = readText(folder / "summary.txt");
    ASSERT_NE(summary.find("match over yes"), std::string::npos) << summary;
    const MatchResults results = parsed(readText(folder / "results"));
    EXPECT_TRUE(results.reachedLimit);
    EXPECT_EQ(results.limit, 3u);
    ASSERT_EQ(results.players.size(), 3u);
    const std::vector<unsigned> scores = summaryScores(summary);
    for (std::size_t i = 0; i < scores.size(); ++i) {
        EXPECT_EQ(results.players[i].number, std::vector<int>({1, 3, 6})[i]);
        EXPECT_EQ(results.players[i].score, scores[i]);
    }
    EXPECT_GE(standings(results)[0].score, 3u);
    std::smatch round;
    ASSERT_TRUE(std::regex_search(summary, round, std::regex("\nround ([0-9]+)\n")));
    ASSERT_EQ(results.rounds.size(), std::stoul(round[1]));
    for (const MatchResults::Round& played : results.rounds) {
        ASSERT_TRUE(played.survivor.has_value());
        // Every line but the survivor's died, each once.
        EXPECT_EQ(played.deaths.size(), *played.survivor == 0 ? 3u : 2u);
        for (const int number : played.deaths) EXPECT_NE(number, *played.survivor);
    }

    fs::remove(folder / "results");
    ASSERT_EQ(runInFolder(folder, runner + " --frames 5 > summary.txt").exitCode, 0);
    EXPECT_FALSE(fs::exists(folder / "results"));
    fs::remove_all(folder);
}
