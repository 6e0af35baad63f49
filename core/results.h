// The file `results` the game writes in its run folder when a match ends: when it was played,
// the settings that decided it, each round's deaths in order and its survivor, and the final
// scores. Quorl Setup reads it to name the winner. Players are numbered 1 to 6 by their slots.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/faults.h"
#include "core/keys_file.h"

inline constexpr const char* kResultsFileName = "results";

struct MatchResults {
    std::string date;           // local time, "2026-12-09 21:30:05"
    bool reachedLimit = false;  // false when the players quit before the match was over
    bool fixedRounds = false;   // the limit counts rounds rather than points
    unsigned limit = 0;

    struct Player {
        int number;           // 1 to 6: the slot's number plus one
        std::string name;     // UTF-8
        std::string pattern;  // the line's image in patterns/
        ComputerLevel computer = ComputerLevel::none;
        unsigned score = 0;
    };
    std::vector<Player> players;  // those that took part, by number

    struct Round {
        std::vector<int> deaths;      // the numbers of the players that died, in the order they did
        std::optional<int> survivor;  // when the round ended: its survivor, or 0 for none
    };
    std::vector<Round> rounds;
};

// The text of a results file.
std::string formatResults(const MatchResults& results);

// Reads a results text as formatResults writes it; what cannot be read goes to `faults`, by line.
MatchResults parseResults(const std::string& text, std::vector<Fault>& faults);

// The players by standing: highest score first, ties by number.
std::vector<MatchResults::Player> standings(const MatchResults& results);
