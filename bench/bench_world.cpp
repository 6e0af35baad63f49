// The benchmark's scratch run folder, clock, scene building and snapshots.
#include "bench/bench_world.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

#include "app/context.h"
#include "app/frame_timer.h"
#include "app/init_game.h"
#include "app/settings.h"
#include "game/arena.h"
#include "game/players/movement.h"
#include "game/players/trail_drawing.h"
#include "gfx/stencil.h"
#include "gfx/texture_manager.h"

namespace fs = std::filesystem;

namespace {

constexpr double kFrameMs = 16.0;

}  // namespace

ScratchRunFolder::ScratchRunFolder() {
    char pattern[] = "/tmp/quorl-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
    const fs::path folder = path_, run = QUORL_RUN_DIR;
    fs::copy_file(run / "config", folder / "config");
    fs::create_directory_symlink(run / "system", folder / "system");
    fs::create_directory_symlink(run / "patterns", folder / "patterns");
    fs::current_path(folder);
}

ScratchRunFolder::~ScratchRunFolder() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(path_, ignored);
}

void useOffscreenVideo() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
}

void useBenchClock() {
    useCounter(handCounter());
}

void advanceClock(double milliseconds) {
    advanceHandCounter(milliseconds);
}

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void recreatePlayers(std::initializer_list<int> slots) {
    for (int slot = 0; slot < kSlotCount; ++slot) context->settings.slotEnabled[slot] = 0;
    for (int slot : slots) context->settings.slotEnabled[slot] = 1;
    context->settings.playerCount = static_cast<std::uint8_t>(slots.size());
    destroyPlayers();
    createPlayers();
}

namespace {

constexpr std::uint32_t kNoGap = 0xFFFFFFFF;

// One line of `elements` cross-sections moved, turned and gapped by the game's updatePlayer and
// makeGap while the stencil takes no marks, so that no line dies on a built line; returns the
// indices of its gap pieces, which stay unmarked.
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
        if (context->settings.gapInterval != 0 &&
            sinceGap >= context->settings.gapInterval * 1000.0) {
            makeGap(player, context->settings.gapLength);
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
        updatePlayer(player, 0, context->settings.holeRadius, context->settings.gapLength,
                     kFrameMs);
        if (player.alive == 0) throw std::runtime_error("a built trail left the arena");
    }
    player.turnLeft = 0;
    player.turnRight = 0;
    return gaps;
}

// Marks every piece of the line but its gaps, each as the game's emitPiece gives it.
void markLine(const Player& player, const std::vector<std::uint32_t>& gaps) {
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    beginStencilStamp(1);
    glBegin(GL_QUADS);
    auto gap = gaps.begin();
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i) {
        const bool isGap = gap != gaps.end() && *gap == i;
        if (isGap)
            ++gap;
        else
            emitPiece(player.trail[i], player.trail[i + 1]);
    }
    glEnd();
    endStencilStamp();
}

}  // namespace

void buildTrails(std::uint32_t elements, std::uint32_t firstSeed) {
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0);
    std::vector<std::vector<std::uint32_t>> gaps;
    for (int i = 0; i < activePlayerCount(); ++i)
        gaps.push_back(moveLine(*context->players[i], elements, firstSeed + i));
    glStencilMask(~0u);
    for (int i = 0; i < activePlayerCount(); ++i) markLine(*context->players[i], gaps[i]);
}

void clearStencilAround(double x, double y, double half) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(x - half), static_cast<GLint>(y - half),
              static_cast<GLsizei>(2 * half), static_cast<GLsizei>(2 * half));
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

WorldSnapshot takeSnapshot() {
    WorldSnapshot snapshot;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *context->players[i];
        snapshot.players.push_back({p.trail[p.pointCount - 1], p.pointCount, p.alive, p.angle,
                                    p.velocityX, p.velocityY, p.turnTime, p.heldKind, p.score});
    }
    for (const auto& pickup : context->entityTables->pickups)
        snapshot.pickups.push_back(pickup ? std::optional<Pickup>(*pickup) : std::nullopt);
    for (const auto& rocket : context->entityTables->rockets)
        snapshot.rockets.push_back(rocket ? std::optional<Rocket>(*rocket) : std::nullopt);
    return snapshot;
}

namespace {

template <class T>
void restoreTable(SlotTable<T>& table, const std::vector<std::optional<T>>& saved) {
    table.resize(saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (!saved[i])
            table[i].reset();
        else if (table[i])
            *table[i] = *saved[i];
        else
            table[i] = std::make_unique<T>(*saved[i]);
    }
}

}  // namespace

void restoreSnapshot(const WorldSnapshot& snapshot) {
    for (std::size_t i = 0; i < snapshot.players.size(); ++i) {
        const WorldSnapshot::PlayerState& s = snapshot.players[i];
        Player& p = *context->players[i];
        p.pointCount = s.pointCount;
        p.trail[p.pointCount - 1] = s.head;
        p.alive = s.alive;
        p.died = 0;
        p.angle = s.angle;
        p.velocityX = s.velocityX;
        p.velocityY = s.velocityY;
        p.turnTime = s.turnTime;
        p.heldKind = s.heldKind;
        p.score = s.score;
    }
    restoreTable(context->entityTables->pickups, snapshot.pickups);
    restoreTable(context->entityTables->rockets, snapshot.rockets);
}

std::uint64_t trailElementsInUse() {
    std::uint64_t sum = 0;
    for (int i = 0; i < activePlayerCount(); ++i) sum += context->players[i]->pointCount;
    return sum;
}
