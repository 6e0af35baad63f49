// The benchmark's scratch run folder, clock, scene building and snapshots.
#include "bench/bench_world.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>

#include "app/frame_timer.h"
#include "app/init_game.h"
#include "app/settings.h"
#include "game/players/movement.h"
#include "gfx/stencil.h"
#include "gfx/texture_manager.h"

namespace fs = std::filesystem;

namespace {

constexpr double kArenaSize = 768.0;
constexpr double kFrameMs = 16.0;

// One frame of straight travel: the head moves, its texture coordinate runs on.
void moveHead(Player& player) {
    TrailPoint& head = player.trail[player.pointCount - 1];
    const double dt = kFrameMs / 1000.0;
    translateTrailPoint(head, player.velocityX * dt, player.velocityY * dt);
    const double du = dt * player.speed / player.patternLength;
    head.leftT += du;
    head.rightT += du;
}

// The turn step: a copy of the head rotated about its inner edge, then the new heading.
void turnStep(Player& player, bool left) {
    const double step = (left ? 1.0 : -1.0) * player.turnTime / 1000.0 * player.turnRate;
    growTrailFor(player, player.pointCount + 2);
    const std::uint32_t n = player.pointCount;
    player.trail[n] = player.trail[n - 1];
    TrailPoint& p = player.trail[n];
    if (left) {
        rotateAbout(p.centerX, p.centerY, p.leftX, p.leftY, step);
        rotateAbout(p.rightX, p.rightY, p.leftX, p.leftY, step);
    } else {
        rotateAbout(p.centerX, p.centerY, p.rightX, p.rightY, step);
        rotateAbout(p.leftX, p.leftY, p.rightX, p.rightY, step);
    }
    player.trail[n + 1] = p;
    player.pointCount = n + 2;
    setHeading(player, step);
    player.turnTime = 0.0;
}

bool outside(double x, double y, double margin) {
    return x < margin || x > kArenaSize - margin || y < margin || y > kArenaSize - margin;
}

void emitVertex(double s, double t, double x, double y) {
    glTexCoord2d(s, t);
    glVertex2d(x, y);
}

// Marks every piece but the gaps, in the vertex order the game marks its pieces.
void markTrail(const Player& player, const std::vector<char>& gapPiece) {
    glEnable(GL_STENCIL_TEST);
    glEnable(GL_TEXTURE_2D);
    bindTexture(player.patternTexture);
    beginStencilStamp(1);
    glBegin(GL_QUADS);
    for (std::uint32_t i = 0; i + 1 < player.pointCount; ++i) {
        if (gapPiece[i] != 0) continue;
        const TrailPoint& a = player.trail[i];
        const TrailPoint& b = player.trail[i + 1];
        emitVertex(a.leftS, a.leftT, a.leftX, a.leftY);
        emitVertex(a.rightS, a.rightT, a.rightX, a.rightY);
        emitVertex(b.rightS, b.rightT, b.rightX, b.rightY);
        emitVertex(b.leftS, b.leftT, b.leftX, b.leftY);
    }
    glEnd();
    endStencilStamp();
}

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
    for (int slot = 0; slot < kSlotCount; ++slot) settings.slotEnabled[slot] = 0;
    for (int slot : slots) settings.slotEnabled[slot] = 1;
    settings.playerCount = static_cast<std::uint8_t>(slots.size());
    destroyPlayers();
    createPlayers();
}

void buildTrail(Player& player, std::uint32_t elements, std::uint32_t seed) {
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
    std::vector<char> gapPiece(player.trail.size(), 0);
    double sinceGap = 0.0;
    int mode = 0, framesLeft = 0;  // mode: 1 left, -1 right, 0 straight
    while (player.pointCount < elements) {
        if (settings.gapInterval != 0 && sinceGap >= settings.gapInterval * 1000.0) {
            makeGap(player, settings.gapLength);
            if (gapPiece.size() < player.trail.size()) gapPiece.resize(player.trail.size(), 0);
            gapPiece[player.pointCount - 3] = 1;
            sinceGap = 0.0;
        }
        sinceGap += kFrameMs;

        // Steer away from a wall seen 90 px ahead, else follow runs of turns and straights.
        const TrailPoint& head = player.trail[player.pointCount - 1];
        const double dirX = player.velocityX / player.speed, dirY = player.velocityY / player.speed;
        int turn = 0;
        if (outside(head.centerX + dirX * 90.0, head.centerY + dirY * 90.0, 40.0)) {
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
        moveHead(player);
        if (turn != 0) {
            player.turnTime += kFrameMs;
            if (player.turnTime >= player.turnStepInterval) turnStep(player, turn > 0);
        }
        if (gapPiece.size() < player.trail.size()) gapPiece.resize(player.trail.size(), 0);
    }
    const TrailPoint& head = player.trail[player.pointCount - 1];
    if (outside(head.leftX, head.leftY, 0.0) || outside(head.rightX, head.rightY, 0.0))
        throw std::runtime_error("a built trail left the arena");
    markTrail(player, gapPiece);
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
        const Player& p = *players[i];
        snapshot.players.push_back({p.trail[p.pointCount - 1], p.pointCount, p.alive, p.angle,
                                    p.velocityX, p.velocityY, p.turnTime, p.heldKind, p.score});
    }
    for (const auto& pickup : entityTables->pickups)
        snapshot.pickups.push_back(pickup ? std::optional<Pickup>(*pickup) : std::nullopt);
    for (const auto& rocket : entityTables->rockets)
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
        Player& p = *players[i];
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
    restoreTable(entityTables->pickups, snapshot.pickups);
    restoreTable(entityTables->rockets, snapshot.rockets);
}

std::uint64_t trailElementsInUse() {
    std::uint64_t sum = 0;
    for (int i = 0; i < activePlayerCount(); ++i) sum += players[i]->pointCount;
    return sum;
}
