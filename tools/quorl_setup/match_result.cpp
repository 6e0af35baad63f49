// Reading the game's results file and putting its final scores into standings and words.
#include "tools/quorl_setup/match_result.h"

#include "core/files.h"

namespace {

// Results files are a few dozen lines; more than this is no results file.
constexpr std::size_t kResultsLimit = 64 * 1024;

std::string points(unsigned score) {
    return std::to_string(score) + (score == 1 ? " point" : " points");
}

std::string playerName(const MatchResult::Row& row) {
    return row.name.empty() ? "Player " + std::to_string(row.number) : row.name;
}

// "Ada", "Ada and Bence", "Ada, Bence and Cili".
std::string nameList(const std::vector<MatchResult::Row>& rows) {
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) text += i + 1 == rows.size() ? " and " : ", ";
        text += playerName(rows[i]);
    }
    return text;
}

std::string headline(const MatchResults& results, const MatchResult& result) {
    if (result.standings.empty()) return "Nobody played";
    std::vector<MatchResult::Row> first;
    for (const MatchResult::Row& row : result.standings) {
        if (row.place == 1) first.push_back(row);
    }
    const unsigned best = first.front().score;
    const bool shared = first.size() > 1;
    if (results.reachedLimit) {
        if (shared) return nameList(first) + " share the win with " + points(best) + " each";
        return playerName(first.front()) + " wins with " + points(best);
    }
    const std::string left = "The match was left after " + std::to_string(result.roundsPlayed) +
                             (result.roundsPlayed == 1 ? " round" : " rounds");
    if (best == 0) return left + ", before anyone scored";
    return left + ": " + nameList(first) + (shared ? " lead with " : " leads with ") +
           points(best) + (shared ? " each" : "");
}

}  // namespace

MatchResult summarize(const MatchResults& results) {
    MatchResult result;
    for (const MatchResults::Round& round : results.rounds) {
        if (round.survivor) ++result.roundsPlayed;
    }
    for (const MatchResults::Player& player : standings(results)) {
        const bool tied = !result.standings.empty() && result.standings.back().score == player.score;
        const int place = tied ? result.standings.back().place
                               : static_cast<int>(result.standings.size()) + 1;
        result.standings.push_back(
            {place, player.number, player.name, player.pattern, player.computer, player.score});
    }
    result.headline = headline(results, result);
    return result;
}

std::optional<std::filesystem::file_time_type> resultsWritten(const std::string& folder) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(
        std::filesystem::path(folder) / kResultsFileName, error);
    if (error) return std::nullopt;
    return time;
}

std::optional<MatchResult> readNewResult(
    const std::string& folder, const std::optional<std::filesystem::file_time_type>& before,
    std::string& problem) {
    const auto written = resultsWritten(folder);
    if (!written || (before && *written == *before)) return std::nullopt;
    const std::string path = (std::filesystem::path(folder) / kResultsFileName).string();
    const FileContent file = readRegularFile(path, kResultsLimit);
    if (file.status != FileContent::Status::ok) {
        problem = "cannot read the match's result in " + path;
        return std::nullopt;
    }
    std::vector<Fault> faults;
    const MatchResults results = parseResults(file.data, faults);
    if (!faults.empty() || results.players.empty()) {
        problem = "cannot read the match's result: " +
                  (faults.empty() ? path + ": no players" : faultList(faults, path));
        return std::nullopt;
    }
    return summarize(results);
}
