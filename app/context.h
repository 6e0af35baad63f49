// Everything one run of the game keeps, grouped by module and reached through one pointer:
// creating the context starts a run, destroying it releases the run in shutdown order.
#pragma once

#include <string>

#include "app/app.h"
#include "app/frame_timer.h"
#include "app/random.h"
#include "app/settings.h"
#include "app/window.h"
#include "game/entities/entity_tables.h"
#include "game/players/key_input.h"
#include "game/players/player.h"
#include "game/scenes/scene_state.h"
#include "gfx/camera.h"
#include "gfx/texture_manager.h"

struct Context {
    App* app = nullptr;  // made by start-up, with its frame timer
    Settings settings{};
    Window window;
    CounterState clock;
    Random random;
    Camera* camera = nullptr;
    Player* players[kSlotCount] = {};  // one entry per enabled slot, in slot order, from 0
    EntityTables* entityTables = nullptr;
    SceneState scenes;
    TextureTable textures;
    ControlState controls;
    // The text of the last fatal error composed at run time: a text error carries only a
    // pointer, so the text lives as long as the run.
    std::string errorText;
};

// The current run's context; null outside a run.
extern Context* context;

// Starts a run: a new context whose every module is as before any start-up. An existing
// context is destroyed first.
void createContext();

// Releases the run in shutdown order: entity tables with all pickups and rockets, the App's frame
// timer, the camera, the players, all textures, the window when start-up opened it, then the App
// and the context itself. Messages still queued for the run are dropped. Nothing without one.
void destroyContext();
