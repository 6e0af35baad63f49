// The result of the match the setup's Play started, read from the `results` file the game
// writes when a match ends, put in players' words.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/results.h"

// The results in `folder` when the game wrote them since `since` and they can be read.
std::optional<MatchResults> readMatchResult(const std::string& folder, std::time_t since);

// The headline: who won ("Ada wins!"), who tied for first, or that the match was left early.
std::string resultHeadline(const MatchResults& results);

// "3 rounds played", "1 round played".
std::string roundsPlayed(const MatchResults& results);

// Why Play cannot start a match with these settings, in players' words; empty when it can.
std::string playRefusal(int playersTakingPart);
