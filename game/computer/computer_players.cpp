// Feeding the computer players' brains: one read of the collision map a frame for all of them,
// and the heads of the players as everyone sees them on the screen.
#include "game/computer/computer_players.h"

#include "game/arena.h"
#include "game/players/player.h"
#include "game/world.h"
#include "gfx/stencil.h"

namespace {

constexpr int kMapSize = static_cast<int>(kArenaSize);
// Each slot's brain has a random stream of its own, apart from the game's.
constexpr std::uint32_t kSeedBase = 0x51u;

HeadView headOf(const Player& player) {
    const TrailPoint& head = player.trail[player.pointCount - 1];
    return {head.centerX, head.centerY, player.angle, player.alive != 0};
}

}  // namespace

void thinkComputers(double frameTime) {
    ComputerPlayers& computers = world->computers;
    const SlotList slots = enabledSlots(world->settings);
    bool anyThinks = false;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const int slot = slots[static_cast<std::size_t>(i)];
        const bool computer = world->controls.computer[static_cast<std::size_t>(slot)] !=
                              ComputerLevel::none;
        computers.keys[static_cast<std::size_t>(slot)] = KeyChoice{};
        anyThinks = anyThinks || (computer && world->players[i]->alive != 0);
    }
    if (!anyThinks) return;

    computers.map.resize(static_cast<std::size_t>(kMapSize) * kMapSize);
    readStencilSquare(kMapSize, computers.map.data());
    const CollisionMap map{computers.map.data(), kMapSize};
    for (int i = 0; i < activePlayerCount(); ++i) {
        const auto slot = static_cast<std::size_t>(slots[static_cast<std::size_t>(i)]);
        const ComputerLevel level = world->controls.computer[slot];
        const Player& player = *world->players[i];
        if (level == ComputerLevel::none || player.alive == 0) continue;
        if (!computers.brains[slot]) {
            computers.brains[slot] = std::make_unique<Brain>(level, kSeedBase + slot);
        }
        computers.others.clear();
        for (int j = 0; j < activePlayerCount(); ++j) {
            if (j != i) computers.others.push_back(headOf(*world->players[j]));
        }
        SelfView self;
        self.head = headOf(player);
        self.speed = player.speed;
        self.turnRate = player.turnRate;
        self.lineWidth = player.lineWidth;
        self.gapLength = world->settings.gapLength;
        self.gapInterval = world->settings.gapInterval;
        self.sinceGap = player.gapTimer->elapsedSeconds();
        self.holdsRocket = player.heldKind == 1;
        computers.keys[slot] = computers.brains[slot]->think(map, self, computers.others, frameTime);
    }
}
