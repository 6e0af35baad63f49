// Creating and destroying the entity tables.
#include "game/entities/entity_tables.h"

EntityTables* entityTables = nullptr;

EntityTables::EntityTables() {
    pickups.resize(200);
    rockets.resize(10);
}

void createEntityTables() {
    entityTables = new EntityTables;
}

void clearPickups() {
    for (auto& pickup : entityTables->pickups) pickup.reset();
    entityTables->pickups.clear();
}

void clearRockets() {
    for (auto& rocket : entityTables->rockets) rocket.reset();
    entityTables->rockets.clear();
}

void destroyEntityTables() {
    if (entityTables == nullptr) return;
    clearPickups();
    clearRockets();
    entityTables->rockets.shrink_to_fit();
    entityTables->pickups.shrink_to_fit();
    delete entityTables;
    entityTables = nullptr;
}
