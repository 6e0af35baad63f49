// Everything one run of the game keeps, reached through one pointer: creating the context starts
// a run, destroying it releases the run in shutdown order.
#pragma once

#include <memory>

#include "app/app.h"
#include "app/window.h"
#include "game/world.h"
#include "gfx/gfx.h"

// The members are released in the reverse of their order here: the App with its frame timer,
// the game's world (pickups, rockets, players), the graphics (camera, textures) while the GL
// context still exists, and last the window.
struct Context {
    Window window;
    Gfx gfx;
    World world;
    std::unique_ptr<App> app;  // made by start-up, with its frame timer
};

// The current run's context; null outside a run.
extern Context* context;

// Starts a run: a new context whose every module is as before any start-up, and the layers'
// pointers at its parts. An existing context is destroyed first.
void createContext();

// Releases the run in shutdown order (see Context). Messages still queued for the run are
// dropped. Nothing without one.
void destroyContext();
