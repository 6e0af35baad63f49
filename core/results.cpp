// Writing and reading the results of a match as INI text, through the one INI reader.
#include "core/results.h"

#include <algorithm>
#include <sstream>

#include "core/ini_reader.h"
#include "core/setting_fields.h"
#include "core/text.h"

namespace {

std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

std::string unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// The number after `prefix` in a section's name ("player3" -> 3), or 0.
int sectionNumber(const std::string& section, const std::string& prefix) {
    if (section.rfind(prefix, 0) != 0) return 0;
    const std::optional<unsigned long> number = wholeNumber(section.substr(prefix.size()));
    return number && *number > 0 && *number < 1000 ? static_cast<int>(*number) : 0;
}

ComputerLevel levelNamed(const std::string& name) {
    for (const ComputerLevel level :
         {ComputerLevel::easy, ComputerLevel::normal, ComputerLevel::hard}) {
        if (name == computerLevelName(level)) return level;
    }
    return ComputerLevel::none;
}

// Takes one entry into `results`; false when it means nothing.
bool take(MatchResults& results, const IniEntry& entry) {
    const std::string& value = entry.pieces.front();
    const std::optional<unsigned long> number = wholeNumber(value);
    if (entry.section.empty()) {
        if (entry.name == "date")
            results.date = value;
        else if (entry.name == "ended")
            results.reachedLimit = value == "at the limit";
        else if (entry.name == "mode")
            results.fixedRounds = value == "rounds";
        else if (entry.name == "limit" && number)
            results.limit = static_cast<unsigned>(*number);
        else
            return false;
        return true;
    }
    if (const int player = sectionNumber(entry.section, "player")) {
        auto found = std::find_if(results.players.begin(), results.players.end(),
                                  [&](const auto& p) { return p.number == player; });
        if (found == results.players.end()) {
            results.players.push_back({player, "", "", ComputerLevel::none, 0});
            found = results.players.end() - 1;
        }
        if (entry.name == "name")
            found->name = unquoted(value);
        else if (entry.name == "pattern")
            found->pattern = unquoted(value);
        else if (entry.name == "computer")
            found->computer = levelNamed(value);
        else if (entry.name == "score" && number)
            found->score = static_cast<unsigned>(*number);
        else
            return false;
        return true;
    }
    if (const int round = sectionNumber(entry.section, "round")) {
        if (results.rounds.size() < static_cast<std::size_t>(round))
            results.rounds.resize(static_cast<std::size_t>(round));
        MatchResults::Round& record = results.rounds[static_cast<std::size_t>(round) - 1];
        if (entry.name == "deaths") {
            std::istringstream words(value);
            for (std::string word; words >> word;) {
                const std::optional<unsigned long> died = wholeNumber(word);
                if (!died) return false;
                record.deaths.push_back(static_cast<int>(*died));
            }
        } else if (entry.name == "survivor") {
            record.survivor = value == "none" ? 0 : number ? static_cast<int>(*number) : -1;
            if (*record.survivor < 0) return false;
        } else {
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace

std::string formatResults(const MatchResults& results) {
    std::string text =
        "# Quorl: the last match played in this folder, written by the game when it ended.\n"
        "# Players are numbered 1 to 6 by their slots; each round lists its deaths in order.\n";
    text += "date = " + results.date + "\n";
    text +=
        std::string("ended = ") + (results.reachedLimit ? "at the limit" : "by quitting") + "\n";
    text += std::string("mode = ") + (results.fixedRounds ? "rounds" : "score") + "\n";
    text += "limit = " + std::to_string(results.limit) + "\n";
    for (const MatchResults::Player& player : results.players) {
        text += "\n[player" + std::to_string(player.number) + "]\n";
        text += "name = \"" + player.name + "\"\n";
        text += "pattern = \"" + player.pattern + "\"\n";
        text += std::string("computer = ") + computerLevelName(player.computer) + "\n";
        text += "score = " + std::to_string(player.score) + "\n";
    }
    for (std::size_t i = 0; i < results.rounds.size(); ++i) {
        const MatchResults::Round& round = results.rounds[i];
        text += "\n[round" + std::to_string(i + 1) + "]\n";
        text += "deaths = " + numberList(round.deaths) + "\n";
        if (round.survivor)
            text +=
                "survivor = " + (*round.survivor == 0 ? "none" : std::to_string(*round.survivor)) +
                "\n";
    }
    return text;
}

MatchResults parseResults(const std::string& text, std::vector<Fault>& faults) {
    const IniText ini = readIni(text, false);
    for (const IniLineFault& fault : ini.faults)
        faults.push_back({fault.line, "not a line of a results file"});
    MatchResults results;
    for (const IniEntry& entry : ini.entries) {
        if (!take(results, entry))
            faults.push_back({entry.line, "unknown entry " + quoted(entry.name) + " or value"});
    }
    std::sort(results.players.begin(), results.players.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return results;
}

std::vector<MatchResults::Player> standings(const MatchResults& results) {
    std::vector<MatchResults::Player> order = results.players;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.score > b.score; });
    return order;
}
