// Scene set-up for the benchmark: players recreated from the running settings, long curvy
// trails moved by the game's own updatePlayer, pickups, rockets, and snapshots.
#include "bench/scenes.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "app/app.h"
#include "app/context.h"
#include "game/arena.h"
#include "game/entities/pickups.h"
#include "game/entities/rockets.h"
#include "game/frame_timer.h"
#include "game/init_game.h"
#include "game/players/movement.h"
#include "game/players/trail_drawing.h"
#include "game/random.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/round_start.h"
#include "gfx/image_names.h"
#include "gfx/stencil.h"

namespace {

constexpr double kFrameMs = 16.0;

// The crowd built last (elements per player; 0 for none) and its snapshot.
std::uint32_t crowdElements = 0;
WorldSnapshot crowdSnapshot;

// Enables exactly these slots of the running settings and starts a round with fresh players.
void startRoundWith(std::initializer_list<int> slots, int maxPickups, std::uint32_t seed) {
    crowdElements = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) world->settings.slotEnabled[slot] = 0;
    for (int slot : slots) world->settings.slotEnabled[slot] = 1;
    world->settings.playerCount = static_cast<std::uint8_t>(slots.size());
    world->settings.pickupsEnabled = maxPickups > 0;
    world->settings.maxPickups = static_cast<std::uint8_t>(maxPickups);
    destroyPlayers();
    createPlayers();
    for (auto& pickup : world->entityTables->pickups) pickup.reset();
    for (auto& rocket : world->entityTables->rockets) rocket.reset();
    seedRandom(seed);
    startRound();
    world->scenes.scene = kGameScene;
}

// One curvy line of `elements` cross-sections moved, turned and gapped by the game's updatePlayer
// and makeGap; returns the indices of its gap pieces. The stencil takes no marks meanwhile.
std::vector<std::uint32_t> moveLine(Player& player, std::uint32_t elements, std::uint32_t seed) {
    std::mt19937 random(seed);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto runLength = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    placePlayer(player, uniform(150, 618), uniform(150, 618), uniform(0, 360));
    player.alive = 1;
    player.died = 0;
    player.turnTime = 0.0;
    player.fire = 0;
    std::vector<std::uint32_t> gaps;
    double sinceGap = 0.0;
    int mode = 0, framesLeft = 0;  // mode: 1 left, -1 right, 0 straight
    while (player.pointCount < elements) {
        // Gaps follow this build's own clock: the game's clock stands still meanwhile.
        if (world->settings.gapInterval != 0 && sinceGap >= world->settings.gapInterval * 1000.0) {
            makeGap(player, world->settings.gapLength);
            gaps.push_back(player.pointCount - 3);
            sinceGap = 0.0;
        }
        sinceGap += kFrameMs;

        // Steer away from a wall seen 90 px ahead, else follow runs of turns and straights.
        const TrailPoint& head = player.trail[player.pointCount - 1];
        const double dirX = player.velocityX / player.speed, dirY = player.velocityY / player.speed;
        int turn = 0;
        if (outsideArena(head.centerX + dirX * 90.0, head.centerY + dirY * 90.0, 40.0)) {
            const double cross = dirX * (384.0 - head.centerY) - dirY * (384.0 - head.centerX);
            turn = cross >= 0.0 ? 1 : -1;
        } else {
            if (framesLeft <= 0) {
                mode = mode != 0 ? 0 : (uniform(0, 1) < 0.5 ? 1 : -1);
                framesLeft = mode != 0 ? runLength(10, 80) : runLength(4, 40);
            }
            --framesLeft;
            turn = mode;
        }
        player.turnLeft = turn > 0;
        player.turnRight = turn < 0;
        updatePlayer(player, 0, world->settings.holeRadius, world->settings.gapLength, kFrameMs);
        if (player.alive == 0) throw std::runtime_error("a built trail left the arena");
    }
    player.turnLeft = 0;
    player.turnRight = 0;
    return gaps;
}

// Marks every piece of the line but its gaps into the stencil, textured as the game marks them.
void markLine(const Player& player, const std::vector<std::uint32_t>& gaps) {
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    beginStencilStamp(1);
    glBegin(GL_QUADS);
    auto gap = gaps.begin();
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i) {
        if (gap != gaps.end() && *gap == i)
            ++gap;
        else
            emitPiece(player.trail[i], player.trail[i + 1]);
    }
    glEnd();
    endStencilStamp();
}

void clearStencilAround(double x, double y, double half) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(x - half), static_cast<GLint>(y - half),
              static_cast<GLsizei>(2 * half), static_cast<GLsizei>(2 * half));
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

double distanceToHeads(double x, double y) {
    double nearest = 1e9;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const TrailPoint& head = world->players[i]->trail[world->players[i]->pointCount - 1];
        nearest = std::min(nearest, std::hypot(head.centerX - x, head.centerY - y));
    }
    return nearest;
}

void buildCrowd(std::uint32_t elements) {
    startRoundWith({0, 1, 2, 3, 4, 5}, 20, 11);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0);
    std::vector<std::vector<std::uint32_t>> gaps;
    for (int i = 0; i < activePlayerCount(); ++i)
        gaps.push_back(moveLine(*world->players[i], elements, 100 + i));
    glStencilMask(~0u);
    for (int i = 0; i < activePlayerCount(); ++i) markLine(*world->players[i], gaps[i]);
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *world->players[i];
        // Room ahead for one frame's move and for a gap's jump of gapLength pixels.
        const TrailPoint& head = p.trail[p.pointCount - 1];
        const double reach = 12.0 + world->settings.gapLength;
        clearStencilAround(head.centerX + p.velocityX / p.speed * reach / 2,
                           head.centerY + p.velocityY / p.speed * reach / 2, reach / 2 + 6.0);
    }
    const TextureId rocket = loadTexture(kRocketImage), hole = loadTexture(kHoleImage);
    const double rockets[4][4] = {
        {200, 200, 1, 0}, {568, 200, 0, 1}, {200, 568, 0, -1}, {568, 568, -1, 0}};
    for (const auto& r : rockets) {
        spawnRocket(r[0], r[1], rocket, hole, r[2], r[3], world->settings.holeRadius);
        clearStencilAround(r[0] + r[2] * 6.0, r[1] + r[3] * 6.0, 14.0);
    }
    const TextureId pickup = loadTexture(kPickupImage);
    for (int row = 0, placed = 0; row < 8 && placed < 20; ++row) {
        for (int column = 0; column < 6 && placed < 20; ++column) {
            const double x = 70 + column * 125 + (row % 2) * 40, y = 60 + row * 92;
            if (distanceToHeads(x, y) < 60.0) continue;
            addPickup(x, y, pickup);
            ++placed;
        }
    }
    if (countPickups() != 20) throw std::runtime_error("could not place 20 pickups");
}

template <class T>
std::vector<std::optional<T>> copyTable(const SlotTable<T>& table) {
    std::vector<std::optional<T>> copy;
    for (const auto& slot : table) copy.push_back(slot ? std::optional<T>(*slot) : std::nullopt);
    return copy;
}

template <class T>
void restoreTable(SlotTable<T>& table, const std::vector<std::optional<T>>& saved) {
    table.clear();
    for (const auto& slot : saved) table.push_back(slot ? std::make_unique<T>(*slot) : nullptr);
}

bool everyoneAlive() {
    for (int i = 0; i < activePlayerCount(); ++i) {
        if (world->players[i]->alive == 0) return false;
    }
    return true;
}

}  // namespace

void setUpEarlyRound() {
    for (std::uint32_t seed = 7;; ++seed) {
        startRoundWith({0, 5}, 3, seed);
        playFrames(8);
        if (everyoneAlive()) return;
    }
}

void showCrowd(std::uint32_t elements) {
    if (crowdElements != elements) {
        buildCrowd(elements);
        crowdElements = elements;
        crowdSnapshot = takeSnapshot();
    }
    restoreSnapshot(crowdSnapshot);
}

void setUpStraightRound() {
    startRoundWith({0, 5}, 0, 3);
    placePlayer(*world->players[0], 100, 250, 0);
    placePlayer(*world->players[1], 100, 520, 0);
    playFrames(10);
}

void playFrames(int count) {
    for (int i = 0; i < count; ++i) {
        advanceFrame();
        gameSceneFrame(context->app->frameTime);
    }
}

void checkEveryoneAlive() {
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *world->players[i];
        if (p.alive != 0) continue;
        const TrailPoint& head = p.trail[p.pointCount - 1];
        throw std::runtime_error("player " + std::to_string(i) + " died at (" +
                                 std::to_string(static_cast<int>(head.centerX)) + ", " +
                                 std::to_string(static_cast<int>(head.centerY)) +
                                 "): the scene no longer measures what it says");
    }
}

void advanceFrame() {
    advanceHandCounter(kFrameMs);
    context->app->frameTime = kFrameMs;
}

std::uint64_t trailElementsInUse() {
    std::uint64_t sum = 0;
    for (int i = 0; i < activePlayerCount(); ++i) sum += world->players[i]->pointCount;
    return sum;
}

WorldSnapshot takeSnapshot() {
    WorldSnapshot snapshot;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *world->players[i];
        snapshot.heads.push_back(p.trail[p.pointCount - 1]);
        snapshot.players.push_back(p);
        snapshot.players.back().trail = {};
    }
    snapshot.pickups = copyTable(world->entityTables->pickups);
    snapshot.rockets = copyTable(world->entityTables->rockets);
    return snapshot;
}

void restoreSnapshot(const WorldSnapshot& snapshot) {
    for (std::size_t i = 0; i < snapshot.players.size(); ++i) {
        Player& p = *world->players[i];
        std::vector<TrailPoint> trail = std::move(p.trail);
        p = snapshot.players[i];
        p.trail = std::move(trail);
        p.trail[p.pointCount - 1] = snapshot.heads[i];
    }
    restoreTable(world->entityTables->pickups, snapshot.pickups);
    restoreTable(world->entityTables->rockets, snapshot.rockets);
}
