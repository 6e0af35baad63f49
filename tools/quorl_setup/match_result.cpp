// Reading and wording the last match's result for the setup window.
#include "tools/quorl_setup/match_result.h"

#include <sys/stat.h>

#include "core/files.h"

namespace {

// A results file is a few hundred bytes; far more is not one of the game's.
constexpr std::size_t kResultsLimit = 64 * 1024;

}  // namespace

std::optional<MatchResults> readMatchResult(const std::string& folder, std::time_t since) {
    const std::string path = folder + "/" + kResultsFileName;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_mtime < since) return std::nullopt;
    const FileContent file = readRegularFile(path, kResultsLimit);
    if (file.status != FileContent::Status::ok) return std::nullopt;
    std::vector<Fault> faults;
    MatchResults results = parseResults(file.data, faults);
    if (!faults.empty() || results.players.empty()) return std::nullopt;
    return results;
}

std::string resultHeadline(const MatchResults& results) {
    const std::vector<MatchResults::Player> order = standings(results);
    std::string first = order.front().name;
    std::size_t tied = 1;
    while (tied < order.size() && order[tied].score == order.front().score) {
        first += (tied + 1 == order.size() || order[tied + 1].score != order.front().score
                      ? " and "
                      : ", ") +
                 order[tied].name;
        ++tied;
    }
    const std::string winners =
        tied == 1 ? first + " wins!" : tied == order.size() ? "A draw." : first + " share the lead.";
    if (!results.reachedLimit) return "Match left before its end. " + winners;
    return winners;
}

std::string roundsPlayed(const MatchResults& results) {
    const std::size_t n = results.rounds.size();
    return std::to_string(n) + (n == 1 ? " round played" : " rounds played");
}

std::string playRefusal(int playersTakingPart) {
    if (playersTakingPart >= 2) return "";
    return playersTakingPart == 1
               ? "One player alone cannot play: tick Plays for another slot, people or computer."
               : "Nobody plays: tick Plays for at least two slots, people or computer.";
}
