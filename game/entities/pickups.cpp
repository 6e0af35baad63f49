// Spawning, collecting, drawing and removing pickups.
#include "game/entities/pickups.h"

#include "game/sound_report.h"

#include <cmath>

#include "core/settings.h"
#include "game/entities/entity_tables.h"
#include "game/players/player.h"
#include "game/random.h"
#include "game/world.h"
#include "gfx/image_names.h"
#include "gfx/sprite.h"

namespace {

constexpr double kReach = 32.0;

double distance(double x, double y, Point p) {
    return std::hypot(p.x - x, p.y - y);
}

void spawnPickup() {
    if (countPickups() >= world->settings.maxPickups) return;
    const int x = nextRandom() % 668 + 50;
    const int y = nextRandom() % 668 + 50;
    addPickup(x, y, loadTexture(kPickupImage));
}

// A pickup reached by several heads in one frame gives each of them a rocket.
void collectPickups() {
    auto& pickups = world->entityTables->pickups;
    for (int p = 0; p < activePlayerCount(); ++p) {
        Player& player = *world->players[p];
        if (player.alive == 0) continue;
        for (std::uint16_t i = 0; i < pickups.size(); ++i) {
            Pickup* pickup = pickups[i].get();
            if (pickup == nullptr) continue;
            if (distance(pickup->x, pickup->y, headLeftEdge(player)) <= kReach ||
                distance(pickup->x, pickup->y, headRightEdge(player)) <= kReach) {
                pickup->collected = 1;
                player.heldKind = pickup->kind;
                reportSound(SoundKind::pickup, pickup->x);
            }
        }
    }
}

}  // namespace

void addPickup(double x, double y, TextureId texture) {
    storeEntity(world->entityTables->pickups, Pickup{x, y, 1, texture, 0});
}

std::uint16_t countPickups() {
    std::uint16_t count = 0;
    for (const auto& pickup : world->entityTables->pickups) {
        if (pickup && pickup->kind == 1) ++count;
    }
    return count;
}

void drawPickups() {
    auto& pickups = world->entityTables->pickups;
    for (std::uint16_t i = 0; i < pickups.size(); ++i) {
        const Pickup* pickup = pickups[i].get();
        if (pickup == nullptr) continue;
        bindTexture(pickup->texture);
        drawCenteredSquare(pickup->x, pickup->y, 16.0);
    }
}

void removeCollectedPickups() {
    auto& pickups = world->entityTables->pickups;
    for (std::uint16_t i = 0; i < pickups.size(); ++i) {
        if (pickups[i] && pickups[i]->collected != 0) removeEntity(pickups, i);
    }
}

void runPickupStep() {
    spawnPickup();
    collectPickups();
    removeCollectedPickups();
}
