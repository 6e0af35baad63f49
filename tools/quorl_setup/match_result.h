// The result of the match the game just played, as the setup shows it when the game returns:
// read from the results file the game writes in its run folder when a match ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/results.h"

struct MatchResult {
    // In a sentence: who won, or who led when the players left the match early.
    std::string headline;
    struct Row {
        int place;            // from 1; players with the same score share a place
        int number;           // the player's number, 1 to 6
        std::string name;     // UTF-8
        std::string pattern;  // the line's image, which gives the player's colour
        ComputerLevel computer;
        unsigned score;
    };
    std::vector<Row> standings;  // highest score first
    int roundsPlayed = 0;        // rounds that ended with a survivor or none
};

// The standings and headline of `results`.
MatchResult summarize(const MatchResults& results);

// When the results file in `folder` was last written; none when there is no such file.
std::optional<std::filesystem::file_time_type> resultsWritten(const std::string& folder);

// The result in `folder` when its results file was written after `before` (the time the file had
// before the game started, none when there was none then); none when the game wrote no result.
// A file that cannot be read gives its reason in `problem`.
std::optional<MatchResult> readNewResult(
    const std::string& folder, const std::optional<std::filesystem::file_time_type>& before,
    std::string& problem);
