// The owner of every pickup and rocket: two slot tables in which an empty slot is free.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/texture_manager.h"

struct Pickup {
    double x;
    double y;
    std::uint16_t kind;  // 1: one rocket, the only kind there is
    TextureId texture;
    std::uint8_t collected;
};

struct Rocket {
    double x;
    double y;
    double dirX;  // unit flight direction
    double dirY;
    TextureId texture;
    TextureId holeTexture;
    double holeRadius;  // half the side of the square hole
    std::uint8_t dead;
};

template <class T>
using SlotTable = std::vector<std::unique_ptr<T>>;

struct EntityTables {
    SlotTable<Pickup> pickups;
    SlotTable<Rocket> rockets;
    EntityTables();
};

// Makes the run's entity tables.
void createEntityTables();

// Frees every pickup and rocket, then both tables, then the record.
void destroyEntityTables();

// The first free slot, growing the table by 10 empty slots when every slot is taken.
template <class T>
std::uint16_t chooseSlot(SlotTable<T>& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i]) return static_cast<std::uint16_t>(i);
    }
    const std::size_t oldSize = table.size();
    table.resize(oldSize + 10);
    return static_cast<std::uint16_t>(oldSize);
}

// Stores a new record in the first free slot and returns the slot.
template <class T>
std::uint16_t storeEntity(SlotTable<T>& table, const T& record) {
    const std::uint16_t slot = chooseSlot(table);
    table[slot] = std::make_unique<T>(record);
    return slot;
}

// Frees the record in a slot; indexes past the end and empty slots are ignored.
template <class T>
void removeEntity(SlotTable<T>& table, std::size_t index) {
    if (index < table.size()) table[index].reset();
}

void clearPickups();
void clearRockets();
