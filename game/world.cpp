// Releasing the game state.
#include "game/world.h"

World* world = nullptr;

World::~World() {
    destroyEntityTables();
    destroyPlayers();
}
