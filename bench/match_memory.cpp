// The five-minute match: six scripted players, rounds restarted with SPACE, peak memory.
#include "bench/match_memory.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "app/random.h"
#include "app/settings.h"
#include "app/window.h"
#include "bench/alloc_counter.h"
#include "bench/bench_world.h"
#include "game/arena.h"
#include "game/entities/entity_tables.h"
#include "game/players/controls.h"
#include "game/players/player.h"
#include "game/scenes/scene_state.h"
#include "gfx/angles.h"
#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace {

constexpr double kFrameMs = 16.0;
constexpr int kArena = static_cast<int>(kArenaSize);  // pixels of the collision map per side
constexpr int kLookSteps = 28;                        // 3 px each: 84 px ahead

// Six slots, a score limit no five-minute match reaches, no swap waiting.
void writeSixPlayerConfig() {
    std::ifstream in("config", std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    Settings s = decodeSettings(bytes.data(), bytes.size());
    for (int slot = 0; slot < kSlotCount; ++slot) s.slotEnabled[slot] = 1;
    s.playerCount = kSlotCount;
    s.fixedRounds = 0;
    s.matchLimit = 255;
    s.swapInterval = 0;
    std::vector<std::uint8_t> out(kSettingsFileSize);
    encodeSettings(s, out.data());
    std::ofstream("config", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

long residentKb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4;
}

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The keys the driver holds, sent through the game's window procedure only when they change.
class Keys {
public:
    void set(std::uint8_t key, bool down) {
        if (held_[key] == down) return;
        held_[key] = down;
        platform::Message message;
        message.kind = down ? platform::MessageKind::keyDown : platform::MessageKind::keyUp;
        message.key = key;
        platform::postMessage(message);
    }
    bool held(std::uint8_t key) const { return held_[key]; }

private:
    bool held_[256] = {};
};

// Steers each line by what it reads from the collision map: away from trails, walls and the
// other heads' next moves seen ahead, then towards the larger open region (a flood fill on a
// coarse grid); on open ground it keeps weaving so that the trails curve.
class Driver {
public:
    Driver() : stencil_(kArena * kArena), cells_(kCells * kCells), random_(5) {}

    void readCollisionMap() {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kArena, kArena, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil_.data());
        std::fill(cells_.begin(), cells_.end(), 0);
        for (int y = 0; y < kArena; ++y) {
            for (int x = 0; x < kArena; ++x) {
                if (stencil_[static_cast<std::size_t>(y) * kArena + x] != 0)
                    cells_[(y / kCell) * kCells + x / kCell] = 1;
            }
        }
    }

    void steer(Keys& keys) {
        for (int i = 0; i < activePlayerCount(); ++i) {
            const Player& p = *context->players[i];
            const SlotKeys& slot =
                context->controls.keyBindings[i];  // all six slots play: player i is slot i
            int choice = 0;
            bool fire = false;
            if (p.alive != 0) {
                if (--runLeft_[i] <= 0) {
                    wander_[i] = std::uniform_int_distribution<int>(-1, 1)(random_);
                    runLeft_[i] = std::uniform_int_distribution<int>(10, 60)(random_);
                }
                int score[3];
                self_ = i;
                for (int turn = -1; turn <= 1; ++turn) score[turn + 1] = rate(p, turn);
                // The wandering choice unless another is clearly better.
                choice = wander_[i];
                for (int turn : {0, 1, -1}) {
                    if (score[turn + 1] > score[choice + 1] + score[choice + 1] / 10) choice = turn;
                }
                fire = p.heldKind == 1 && score[1] < kLookSteps && !keys.held(slot.fire);
            }
            keys.set(slot.left, choice == 1);
            keys.set(slot.right, choice == -1);
            keys.set(slot.fire, fire);
        }
    }

private:
    static constexpr int kCell = 8;
    static constexpr int kCells = kArena / kCell;
    static constexpr int kAreaLimit = 2500;  // cells; enough to tell open ground from a pocket

    static constexpr int kWallMargin = 12;      // running along a wall leads into corners
    static constexpr double kHeadReach = 40.0;  // how far ahead another head is expected
    static constexpr double kHeadRadius = 8.0;

    bool blocked(double x, double y) const {
        const int ix = static_cast<int>(x + 0.5), iy = static_cast<int>(y + 0.5);
        if (ix < kWallMargin || iy < kWallMargin || ix >= kArena - kWallMargin ||
            iy >= kArena - kWallMargin)
            return true;
        if (stencil_[static_cast<std::size_t>(iy) * kArena + ix] != 0) return true;
        // Where the other living heads are about to be.
        for (int i = 0; i < activePlayerCount(); ++i) {
            const Player& other = *context->players[i];
            if (i == self_ || other.alive == 0) continue;
            const TrailPoint& head = other.trail[other.pointCount - 1];
            const double dx = other.velocityX / other.speed, dy = other.velocityY / other.speed;
            const double along =
                std::clamp((x - head.centerX) * dx + (y - head.centerY) * dy, 0.0, kHeadReach);
            if (std::hypot(head.centerX + dx * along - x, head.centerY + dy * along - y) <
                kHeadRadius)
                return true;
        }
        return false;
    }

    // Steps of 3 pixels free ahead when turning this way (up to kLookSteps); past that, how
    // much open ground the end of the look-ahead reaches, so a clear path into a pocket loses.
    int rate(const Player& p, int turn) {
        const TrailPoint& head = p.trail[p.pointCount - 1];
        double x = head.centerX, y = head.centerY, angle = p.angle;
        const double degreesPerStep = p.turnRate * 3.0 / p.speed;
        const double side = p.lineWidth * 0.5 + 1.5;
        for (int step = 1; step <= kLookSteps; ++step) {
            angle += turn * degreesPerStep;
            const double a = radians(angle), c = std::cos(a), s = std::sin(a);
            x += 3.0 * c;
            y += 3.0 * s;
            if (step < 2) continue;  // the head's own fresh piece
            if (blocked(x, y) || blocked(x - s * side, y + c * side) ||
                blocked(x + s * side, y - c * side))
                return step;
        }
        return kLookSteps + openCells(static_cast<int>(x) / kCell, static_cast<int>(y) / kCell);
    }

    int openCells(int startX, int startY) {
        if (startX < 0 || startY < 0 || startX >= kCells || startY >= kCells) return 0;
        ++visitMark_;
        if (visited_.size() != cells_.size()) visited_.assign(cells_.size(), 0);
        std::vector<int>& queue = queue_;
        queue.clear();
        queue.push_back(startY * kCells + startX);
        visited_[queue[0]] = visitMark_;
        for (std::size_t next = 0; next < queue.size() && queue.size() < kAreaLimit; ++next) {
            const int cell = queue[next], cx = cell % kCells, cy = cell / kCells;
            const int around[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& d : around) {
                const int nx = cx + d[0], ny = cy + d[1];
                if (nx < 0 || ny < 0 || nx >= kCells || ny >= kCells) continue;
                const int n = ny * kCells + nx;
                if (cells_[n] != 0 || visited_[n] == visitMark_) continue;
                visited_[n] = visitMark_;
                queue.push_back(n);
            }
        }
        return static_cast<int>(queue.size());
    }

    std::vector<std::uint8_t> stencil_;
    std::vector<std::uint8_t> cells_;  // 1 where a coarse cell holds any trail
    std::vector<unsigned> visited_;
    std::vector<int> queue_;
    unsigned visitMark_ = 0;
    int self_ = 0;  // the player being steered
    std::mt19937 random_;
    int wander_[kSlotCount] = {};
    int runLeft_[kSlotCount] = {};
};

bool roundOver() {
    int alive = 0;
    for (int i = 0; i < activePlayerCount(); ++i) alive += context->players[i]->alive != 0;
    return alive <= 1;
}

}  // namespace

int runMemoryMatch(int frames, bool lingering) {
    writeSixPlayerConfig();
    createContext();
    useBenchClock();
    if (startUp() != 0) return 1;
    seedRandom(1);  // the same round starts every run
    advanceClock(kFrameMs);
    runHeadlessFrame(*context->app);
    const long startKb = peakKb();
    std::printf("(%s) Peak memory of a six-player match of %d frames of 16 ms (%.1f min)%s\n",
                lingering ? "h" : "g", frames, frames * kFrameMs / 60000.0,
                lingering ? ", half of them in the intro and on round-over banners" : "");
    std::printf("    after start-up and the first frame: peak %ld KB, resident %ld KB\n", startKb,
                residentKb());
    std::fflush(stdout);

    Keys keys;
    Driver driver;
    std::uint32_t longestTrail = 0;
    int played = 0, roundFrames = 0, longestRound = 0, framesInRounds = 0;
    // Lingering: a quarter of the match in the intro, then each banner as long as its round.
    const int introFrames = lingering ? frames / 4 : 0;
    int lastRound = 0, bannerFrames = 0, idleFrames = 0;
    const auto begin = std::chrono::steady_clock::now();
    alloc_counter::reset();
    for (; played < frames; ++played) {
        const bool inIntro = context->app->scene == kIntroScene,
                   onBanner = context->app->scene == kGameScene && roundOver();
        idleFrames += inIntro || onBanner;
        const bool lingers =
            lingering && (inIntro ? played < introFrames : bannerFrames++ < lastRound);
        if ((inIntro || onBanner) && !lingers) {
            // SPACE down for one frame and up for the next: one fresh press per new round.
            keys.set(vk::kSpace, !keys.held(vk::kSpace));
        } else {
            keys.set(vk::kSpace, false);
            if (context->app->scene == kGameScene && !onBanner) driver.steer(keys);
        }
        advanceClock(kFrameMs);
        alloc_counter::setCounting(true);
        const bool running = runHeadlessFrame(*context->app) && !context->app->quit;
        alloc_counter::setCounting(false);
        if (!running) break;
        if (context->app->scene != kGameScene) continue;
        if (roundOver()) {
            if (roundFrames > 0) {
                lastRound = roundFrames;
                bannerFrames = 0;
            }
            longestRound = std::max(longestRound, roundFrames);
            roundFrames = 0;
        } else {
            // Only the driver reads the collision map; banner frames read nothing back.
            driver.readCollisionMap();
            ++roundFrames;
            ++framesInRounds;
        }
        for (int i = 0; i < activePlayerCount(); ++i)
            longestTrail = std::max(longestTrail, context->players[i]->pointCount);
    }
    longestRound = std::max(longestRound, roundFrames);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

    std::size_t trailBytes = 0;
    for (int i = 0; i < activePlayerCount(); ++i)
        trailBytes += context->players[i]->trail.capacity() * sizeof(TrailPoint);
    std::printf(
        "    played %d frames in %.0f s: %u rounds, %.1f s of play per round on average, "
        "longest %.1f s; longest trail %u elements\n",
        played, seconds, context->scenes.roundCounter,
        framesInRounds * kFrameMs / 1000.0 /
            std::max(1, static_cast<int>(context->scenes.roundCounter)),
        longestRound * kFrameMs / 1000.0, longestTrail);
    std::printf("    frames in the intro or on a round-over banner: %d (%.0f%%)\n", idleFrames,
                100.0 * idleFrames / std::max(1, played));
    std::printf("    trail storage at the end: %zu KB over six players\n", trailBytes / 1024);
    std::printf("    PEAK RESIDENT MEMORY (ru_maxrss): %ld KB = %.1f MB; resident now %ld KB\n",
                peakKb(), peakKb() / 1024.0, residentKb());
    if (alloc_counter::available()) {
        std::printf("    heap allocations by the game's own code during the match: %zu, by size:",
                    alloc_counter::game().all());
        for (const auto& [size, count] : alloc_counter::gameCallsBySize())
            std::printf(" %zu B x %zu;", size, count);
        std::printf("\n    (a Pickup is %zu B, a Rocket %zu B, a trail slot %zu B)\n",
                    sizeof(Pickup), sizeof(Rocket), sizeof(TrailPoint));
    }
    shutdown();
    return 0;
}
