// Creating and destroying the entity tables.
#include "game/entities/entity_tables.h"

#include "game/world.h"

EntityTables::EntityTables() {
    pickups.resize(200);
    rockets.resize(10);
}

void createEntityTables() {
    world->entityTables = new EntityTables;
}

void clearPickups() {
    auto& pickups = world->entityTables->pickups;
    for (auto& pickup : pickups) pickup.reset();
    pickups.clear();
}

void clearRockets() {
    auto& rockets = world->entityTables->rockets;
    for (auto& rocket : rockets) rocket.reset();
    rockets.clear();
}

void destroyEntityTables() {
    EntityTables*& entityTables = world->entityTables;
    if (entityTables == nullptr) return;
    clearPickups();
    clearRockets();
    entityTables->rockets.shrink_to_fit();
    entityTables->pickups.shrink_to_fit();
    delete entityTables;
    entityTables = nullptr;
}
