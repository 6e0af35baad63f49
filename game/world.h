// The game layer's state for one run: settings, players, pickups and rockets, the scenes, the
// controls and key state, the random generator and the clock, reached through one pointer.
#pragma once

#include <vector>

#include "core/results.h"
#include "core/settings.h"
#include "core/sound_events.h"
#include "game/computer/computer_players.h"
#include "game/entities/entity_tables.h"
#include "game/frame_timer.h"
#include "game/players/key_input.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/scenes/scene_state.h"

struct World {
    Settings settings{};
    CounterState clock;
    Random random;
    Player* players[kSlotCount] = {};  // one entry per enabled slot, in slot order, from 0
    EntityTables* entityTables = nullptr;
    SceneState scenes;
    ControlState controls;
    ComputerPlayers computers;
    SoundSettings sound;
    std::vector<SoundEvent> sounds;  // what this frame made heard, in the order it happened
    // Each round started so far: its deaths in order and, once over, its survivor, by player
    // number (slot + 1), for the results of the match.
    std::vector<MatchResults::Round> rounds;

    World() = default;
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    // Releases the entity tables with every pickup and rocket, then the players.
    ~World();
};

// The game state in use; whoever makes a World points this at it.
extern World* world;
