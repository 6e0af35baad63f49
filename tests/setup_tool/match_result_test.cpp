// Tests of reading the game's results file into the standings and words quorl-setup shows.
#include "tools/quorl_setup/match_result.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace {

// A results text of players "NUMBER:NAME:SCORE", of which `ended` rounds ended.
std::string resultsText(bool reachedLimit, const std::vector<MatchResults::Player>& players,
                        int ended) {
    MatchResults results;
    results.date = "2026-12-09 21:30:05";
    results.reachedLimit = reachedLimit;
    results.limit = 10;
    results.players = players;
    for (int round = 0; round < ended; ++round) results.rounds.push_back({{1}, 2});
    results.rounds.push_back({{2}, std::nullopt});  // one more begun, never ended
    return formatResults(results);
}

MatchResults::Player player(int number, const char* name, unsigned score) {
    return {number, name, "red.png", ComputerLevel::none, score};
}

TEST(MatchResult, NamesTheWinnerOrTheLeadersAndRanksEveryPlayer) {
    const struct {
        bool reachedLimit;
        std::vector<MatchResults::Player> players;
        int ended;
        const char* headline;
        std::vector<int> places;   // by standing
        std::vector<int> numbers;  // by standing
    } cases[] = {
        {true, {player(1, "Ada", 4), player(6, "Bence", 10)}, 12, "Bence wins with 10 points",
         {1, 2}, {6, 1}},
        {true, {player(1, "Ada", 1), player(2, "", 0)}, 1, "Ada wins with 1 point", {1, 2}, {1, 2}},
        {true, {player(1, "Ada", 5), player(2, "Bo", 5), player(3, "Cili", 5), player(4, "D", 2)},
         8, "Ada, Bo and Cili share the win with 5 points each", {1, 1, 1, 4}, {1, 2, 3, 4}},
        {false, {player(1, "Ada", 2), player(4, "", 3)}, 3,
         "The match was left after 3 rounds: Player 4 leads with 3 points", {1, 2}, {4, 1}},
        {false, {player(1, "Ada", 0), player(2, "Bo", 0)}, 0,
         "The match was left after 0 rounds, before anyone scored", {1, 1}, {1, 2}},
        {false, {player(1, "Ada", 1), player(2, "Bo", 1)}, 1,
         "The match was left after 1 round: Ada and Bo lead with 1 point each", {1, 1}, {1, 2}},
    };
    for (const auto& match : cases) {
        std::vector<Fault> faults;
        const MatchResult result =
            summarize(parseResults(resultsText(match.reachedLimit, match.players, match.ended), faults));
        EXPECT_TRUE(faults.empty());
        EXPECT_EQ(result.headline, match.headline);
        EXPECT_EQ(result.roundsPlayed, match.ended) << match.headline;
        std::vector<int> places, numbers;
        for (const MatchResult::Row& row : result.standings) {
            places.push_back(row.place);
            numbers.push_back(row.number);
        }
        EXPECT_EQ(places, match.places) << match.headline;
        EXPECT_EQ(numbers, match.numbers) << match.headline;
    }
}

TEST(MatchResult, ReadsOnlyAResultWrittenSinceTheGameStarted) {
    TempFolder folder;
    const std::string path = folder.path(kResultsFileName);
    std::string problem;
    EXPECT_FALSE(readNewResult(folder.path(""), std::nullopt, problem).has_value());

    writeFile(path, resultsText(true, {player(1, "Ada", 10), player(2, "Bo", 3)}, 13));
    const auto before = resultsWritten(folder.path(""));
    ASSERT_TRUE(before.has_value());
    // The same file as before the game started: the game wrote no new result.
    EXPECT_FALSE(readNewResult(folder.path(""), before, problem).has_value());
    std::filesystem::last_write_time(path, *before + std::chrono::seconds(1));
    const std::optional<MatchResult> result = readNewResult(folder.path(""), before, problem);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->headline, "Ada wins with 10 points");
    EXPECT_EQ(problem, "");

    writeFile(path, "[player1]\nscore = lots\n");
    EXPECT_FALSE(readNewResult(folder.path(""), std::nullopt, problem).has_value());
    EXPECT_EQ(problem, "cannot read the match's result: " + path +
                           ":2: unknown entry \"score\" or value");
}

}  // namespace
