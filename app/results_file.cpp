// The match's results from the world, written atomically into the run folder.
#include "app/results_file.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "core/codepage.h"
#include "core/config_error.h"
#include "core/files.h"
#include "core/results.h"
#include "core/setting_fields.h"
#include "game/scenes/game_scene.h"
#include "game/world.h"

namespace {

std::string localTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (localtime_r(&now, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

MatchResults resultsOfTheWorld() {
    const Settings& s = world->settings;
    MatchResults results;
    results.date = localTime();
    results.fixedRounds = s.fixedRounds != 0;
    results.limit = s.matchLimit;
    results.rounds = world->rounds;
    // The match reached its limit when its last round ended on the banner that says so.
    bool overByLimit = false;
    if (world->rounds.back().survivor) bannerText(overByLimit);
    results.reachedLimit = overByLimit;
    const SlotList slots = enabledSlots(s);
    for (int i = 0; i < activePlayerCount(); ++i) {
        const int slot = slots[static_cast<std::size_t>(i)];
        const Player& player = *world->players[i];
        results.players.push_back({slot + 1, gameBytesToUtf8(player.name),
                                   fieldText(s.patternFile[slot], kPatternFieldSize - 1),
                                   world->controls.computer[static_cast<std::size_t>(slot)],
                                   player.score});
    }
    return results;
}

}  // namespace

void writeResults() {
    if (world == nullptr || world->rounds.empty()) return;
    try {
        writeFileAtomically(kResultsFileName, formatResults(resultsOfTheWorld()));
    } catch (const ConfigError& error) {
        std::fprintf(stderr, "quorl: the results were not written: %s\n", error.what());
    }
}
