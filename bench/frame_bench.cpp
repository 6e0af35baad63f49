// Frame costs of the game's own scene code on the offscreen context, from a floor of clear,
// one stencil read and swap up to six players with 20000 trail elements each.
#include "bench/frame_bench.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "app/random.h"
#include "app/settings.h"
#include "bench/alloc_counter.h"
#include "bench/bench_world.h"
#include "game/entities/pickups.h"
#include "game/entities/rockets.h"
#include "game/scenes/game_scene.h"
#include "game/scenes/round_start.h"
#include "gfx/image_names.h"
#include "gfx/screenshot.h"
#include "gfx/stencil.h"
#include "platform/platform.h"

namespace {

constexpr double kFrameMs = 16.0;
constexpr int kWarmUpFrames = 10;

enum class FrameKind { floor, game };

void floorFrame() {
    glClear(GL_COLOR_BUFFER_BIT);
    readStencil(384, 384);
    platform::swapBuffers();
}

void runFrame(FrameKind kind) {
    if (kind == FrameKind::floor)
        floorFrame();
    else
        gameSceneFrame(*context->app);
}

}  // namespace

// Frames run through each function; the counts also keep the two bodies different, so that
// the compiler cannot fold them into one.
static volatile unsigned measuredFrames = 0;
static volatile unsigned warmUpFrames = 0;

// The measured frame, kept out of line so that a profiler can collect exactly this.
__attribute__((noinline, noclone)) void quorlBenchFrame(FrameKind kind) {
    measuredFrames = measuredFrames + 1;
    runFrame(kind);
}

// Warm-up frames go through here instead, so that first-use work stays out of the profile.
__attribute__((noinline, noclone)) void quorlWarmUpFrame(FrameKind kind) {
    warmUpFrames = warmUpFrames + 1;
    runFrame(kind);
}

namespace {

struct Scenario {
    const char* label;
    FrameKind kind;
    int frames;
    std::function<void()> setUp;
    bool crowd = false;          // one of the six-player scenes
    std::uint64_t elements = 0;  // trail elements in use, filled in after set-up
};

struct Result {
    const Scenario* scenario;
    double mean, median, low, high;    // microseconds; low and high are the 10th and 90th centiles
    double cpu;                        // process CPU time (every thread) per frame, microseconds
    alloc_counter::Tally allocations;  // every caller
    alloc_counter::Tally gameAllocations;  // the game's own code
};

// The same scene before every frame: restored outside the timed region.
struct FrameLoop {
    WorldSnapshot snapshot;
    FrameKind kind;

    void prepare() {
        if (kind == FrameKind::game) restoreSnapshot(snapshot);
        advanceClock(kFrameMs);
        context->app->frameTime = kFrameMs;
    }
};

void clearEntities() {
    for (auto& pickup : context->entityTables->pickups) pickup.reset();
    for (auto& rocket : context->entityTables->rockets) rocket.reset();
}

// Runs frames of the round as it is, advancing the clock, without restoring anything.
void playFrames(int count) {
    for (int i = 0; i < count; ++i) {
        advanceClock(kFrameMs);
        context->app->frameTime = kFrameMs;
        quorlWarmUpFrame(FrameKind::game);
    }
}

bool everyoneAlive() {
    for (int i = 0; i < activePlayerCount(); ++i) {
        if (context->players[i]->alive == 0) return false;
    }
    return true;
}

// Two players of the default config, a fresh round, a few frames in.
void setUpEarlyRound() {
    recreatePlayers({0, 5});
    context->settings.pickupsEnabled = 1;
    context->settings.maxPickups = 3;
    clearEntities();
    for (std::uint32_t seed = 7;; ++seed) {
        seedRandom(seed);
        startRound();
        context->app->scene = kGameScene;
        playFrames(8);
        if (everyoneAlive()) return;
    }
}

double distanceToHeads(double x, double y) {
    double nearest = 1e9;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const TrailPoint& head = context->players[i]->trail[context->players[i]->pointCount - 1];
        nearest = std::min(nearest, std::hypot(head.centerX - x, head.centerY - y));
    }
    return nearest;
}

// Six players with `elements` trail elements each, 20 pickups lying, four rockets in flight.
// Every head and rocket gets a clear patch of stencil ahead so that it lives through the
// frame; the restore puts it back at the same place for the next one.
void setUpCrowd(std::uint32_t elements) {
    recreatePlayers({0, 1, 2, 3, 4, 5});
    context->settings.pickupsEnabled = 1;
    context->settings.maxPickups = 20;
    clearEntities();
    seedRandom(11);
    startRound();
    context->app->scene = kGameScene;
    buildTrails(elements, 100);
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *context->players[i];
        const TrailPoint& head = p.trail[p.pointCount - 1];
        // Room for one frame's move and for a gap's jump of gapLength pixels.
        const double reach = 12.0 + context->settings.gapLength;
        clearStencilAround(head.centerX + p.velocityX / p.speed * reach / 2,
                           head.centerY + p.velocityY / p.speed * reach / 2, reach / 2 + 6.0);
    }
    const TextureId rocket = loadTexture(kRocketImage), hole = loadTexture(kHoleImage);
    const double rockets[4][4] = {
        {200, 200, 1, 0}, {568, 200, 0, 1}, {200, 568, 0, -1}, {568, 568, -1, 0}};
    for (const auto& r : rockets) {
        spawnRocket(r[0], r[1], rocket, hole, r[2], r[3], context->settings.holeRadius);
        clearStencilAround(r[0] + r[2] * 6.0, r[1] + r[3] * 6.0, 14.0);
    }
    const TextureId pickup = loadTexture(kPickupImage);
    int placed = 0;
    for (int row = 0; row < 8 && placed < 20; ++row) {
        for (int column = 0; column < 6 && placed < 20; ++column) {
            const double x = 70 + column * 125 + (row % 2) * 40, y = 60 + row * 92;
            if (distanceToHeads(x, y) < 60.0) continue;
            addPickup(x, y, pickup);
            ++placed;
        }
    }
    if (countPickups() != 20) throw std::runtime_error("could not place 20 pickups");
}

// CPU time of the whole process, rasteriser threads included: less disturbed than wall-clock
// time by other programs on a busy machine.
double processCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

double centile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const double position = fraction * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (position - below);
}

// With QUORL_BENCH_FRAMES=FOLDER set, the last warm-up frame of each scene is saved there.
void saveSceneImage(const Scenario& scenario) {
    const char* folder = std::getenv("QUORL_BENCH_FRAMES");
    if (folder == nullptr) return;
    static int number = 0;
    char path[512];
    std::snprintf(path, sizeof path, "%s/scene-%d-%llu.png", folder, number++,
                  static_cast<unsigned long long>(scenario.elements));
    saveScreenshot(path, 1024, 768);
}

void checkScene(const Scenario& scenario) {
    if (scenario.kind != FrameKind::game) return;
    for (int i = 0; i < activePlayerCount(); ++i) {
        const Player& p = *context->players[i];
        if (p.alive != 0) continue;
        const TrailPoint& head = p.trail[p.pointCount - 1];
        char text[160];
        std::snprintf(text, sizeof text, "player %d died at (%.0f, %.0f) in scenario %s", i,
                      head.centerX, head.centerY, scenario.label);
        throw std::runtime_error(text);
    }
}

Result measure(Scenario& scenario) {
    scenario.setUp();
    scenario.elements = scenario.kind == FrameKind::game ? trailElementsInUse() : 0;
    FrameLoop loop{scenario.kind == FrameKind::game ? takeSnapshot() : WorldSnapshot{},
                   scenario.kind};
    for (int i = 0; i < kWarmUpFrames; ++i) {
        loop.prepare();
        quorlWarmUpFrame(scenario.kind);
    }
    saveSceneImage(scenario);
    checkScene(scenario);
    std::vector<double> micros(static_cast<std::size_t>(scenario.frames));
    alloc_counter::reset();
    const double cpuStart = processCpuMicros();
    for (double& sample : micros) {
        loop.prepare();
        const auto start = std::chrono::steady_clock::now();
        alloc_counter::setCounting(true);
        quorlBenchFrame(scenario.kind);
        alloc_counter::setCounting(false);
        const auto end = std::chrono::steady_clock::now();
        sample = std::chrono::duration<double, std::micro>(end - start).count();
    }
    const double cpu = (processCpuMicros() - cpuStart) / static_cast<double>(micros.size());
    checkScene(scenario);
    double sum = 0.0;
    for (double sample : micros) sum += sample;
    return {&scenario,
            sum / static_cast<double>(micros.size()),
            centile(micros, 0.5),
            centile(micros, 0.1),
            centile(micros, 0.9),
            cpu,
            alloc_counter::total(),
            alloc_counter::game()};
}

// Six-player scenes by elements per player: (c), (d) and the points between for the fit.
struct CrowdSize {
    const char* label;
    std::uint32_t elements;
    int frames;
};
constexpr CrowdSize kCrowds[] = {
    {"    6 players x  1000 el.", 1000, 300}, {"(c) 6 players x  3000 el.", 3000, 200},
    {"    6 players x  6000 el.", 6000, 150}, {"    6 players x 12000 el.", 12000, 100},
    {"(d) 6 players x 20000 el.", 20000, 80},
};

std::vector<Scenario> allScenarios() {
    std::vector<Scenario> list;
    list.push_back({"(a) floor: clear, stencil read, swap", FrameKind::floor, 1000, [] {}});
    list.push_back({"(b) 2 players, early round", FrameKind::game, 500, setUpEarlyRound});
    for (const CrowdSize& crowd : kCrowds) {
        const std::uint32_t elements = crowd.elements;
        list.push_back({crowd.label, FrameKind::game, crowd.frames,
                        [elements] { setUpCrowd(elements); }, true});
    }
    return list;
}

// (f): a straight two-player round without pickups, 200 frames counted as they come.
void countSteadyStateAllocations() {
    recreatePlayers({0, 5});
    context->settings.pickupsEnabled = 0;
    clearEntities();
    seedRandom(3);
    startRound();
    context->app->scene = kGameScene;
    placePlayer(*context->players[0], 100, 250, 0);
    placePlayer(*context->players[1], 100, 520, 0);
    playFrames(10);
    const std::size_t sizesBefore =
        context->players[0]->trail.size() + context->players[1]->trail.size();
    const std::uint32_t countBefore =
        context->players[0]->pointCount + context->players[1]->pointCount;
    alloc_counter::reset();
    for (int i = 0; i < 200; ++i) {
        advanceClock(kFrameMs);
        context->app->frameTime = kFrameMs;
        alloc_counter::setCounting(true);
        quorlWarmUpFrame(FrameKind::game);
        alloc_counter::setCounting(false);
    }
    std::printf(
        "\n(f) Heap allocations in 200 frames of a straight two-player round, pickups off\n");
    if (!alloc_counter::available()) {
        std::printf("    not counted: this build uses the sanitizers' allocator\n");
        return;
    }
    std::printf("    players alive after: %s; trail elements %u -> %u; trail slots %zu -> %zu\n",
                everyoneAlive() ? "both" : "NOT BOTH", countBefore,
                context->players[0]->pointCount + context->players[1]->pointCount, sizesBefore,
                context->players[0]->trail.size() + context->players[1]->trail.size());
    const alloc_counter::Tally total = alloc_counter::total();
    std::printf("    all code: %zu operator new, %zu malloc/calloc/realloc\n", total.newCalls,
                total.mallocCalls);
    for (const auto& [object, tally] : alloc_counter::byObject())
        std::printf("      %-28s %6zu new  %6zu malloc\n", object.c_str(), tally.newCalls,
                    tally.mallocCalls);
    std::printf("    game code: %zu allocations (target 0 apart from trail growth)\n",
                alloc_counter::game().all());
}

// Least-squares line through the six-player scenes' costs against their trail elements.
void printLinearFit(const std::vector<Result>& results, const char* what, double Result::*cost) {
    std::vector<double> xs, ys;
    for (const Result& r : results) {
        if (!r.scenario->crowd) continue;
        xs.push_back(r.scenario->elements / 1000.0);
        ys.push_back(r.*cost);
    }
    const double n = static_cast<double>(xs.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
        sxx += xs[i] * xs[i];
        sxy += xs[i] * ys[i];
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double intercept = (sy - slope * sx) / n;
    double ssRes = 0.0, ssTot = 0.0;
    std::printf("    %-13s = %6.0f us + %6.1f us per 1000 elements;", what, intercept, slope);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double fit = intercept + slope * xs[i];
        ssRes += (ys[i] - fit) * (ys[i] - fit);
        ssTot += (ys[i] - sy / n) * (ys[i] - sy / n);
    }
    std::printf(" R^2 = %.4f; points off the line by", 1.0 - ssRes / ssTot);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double fit = intercept + slope * xs[i];
        std::printf(" %+.0f%%", (ys[i] - fit) / fit * 100.0);
    }
    std::printf("\n");
}

const Result& find(const std::vector<Result>& results, const char* prefix) {
    for (const Result& r : results) {
        if (std::string(r.scenario->label).rfind(prefix, 0) == 0) return r;
    }
    throw std::logic_error("no such scenario");
}

void printTable(const std::vector<Result>& results) {
    const Result& floor = results.front();
    std::printf("\n%-34s %7s %6s %8s %8s %13s %6s %6s %8s %8s %13s\n", "", "trail", "", "mean",
                "median", "p10..p90", "mean", "median", "CPU", "us per", "allocations");
    std::printf("%-34s %7s %6s %8s %8s %13s %6s %6s %8s %8s %13s\n", "scenario", "el.", "frames",
                "us", "us", "us", "/(a)", "/(a)", "us", "1000 el.", "game / all");
    for (const Result& r : results) {
        char range[32], perK[16] = "", allocs[40] = "n/a";
        std::snprintf(range, sizeof range, "%.0f..%.0f", r.low, r.high);
        if (r.scenario->crowd)
            std::snprintf(perK, sizeof perK, "%.1f",
                          (r.mean - floor.mean) / (r.scenario->elements / 1000.0));
        const double frames = r.scenario->frames;
        if (alloc_counter::available())
            std::snprintf(allocs, sizeof allocs, "%.0f / %.0f", r.gameAllocations.all() / frames,
                          r.allocations.all() / frames);
        std::printf("%-34s %7llu %6d %8.0f %8.0f %13s %6.1f %6.1f %8.0f %8s %13s\n",
                    r.scenario->label, static_cast<unsigned long long>(r.scenario->elements),
                    r.scenario->frames, r.mean, r.median, range, r.mean / floor.mean,
                    r.median / floor.median, r.cpu, perK, allocs);
    }
    const Result& c = find(results, "(c)");
    const Result& d = find(results, "(d)");
    std::printf(
        "\nus = microseconds per frame, wall clock; CPU = process CPU time per frame, the\n"
        "rasteriser threads included; us per 1000 el. = (mean - mean of (a)) / thousands of trail\n"
        "elements; allocations = heap allocations per frame by the game's code / by everyone.\n"
        "Six-player scenes: 20 pickups lying and 4 rockets in flight besides the trails.\n");
    std::printf("Marginal cost from (c) to (d): %.1f us per 1000 elements (%.0f us over %.0fk)\n",
                (d.mean - c.mean) / ((d.scenario->elements - c.scenario->elements) / 1000.0),
                d.mean - c.mean, (d.scenario->elements - c.scenario->elements) / 1000.0);
    std::printf("Linear fit over the six-player scenes:\n");
    printLinearFit(results, "mean wall", &Result::mean);
    printLinearFit(results, "median wall", &Result::median);
    printLinearFit(results, "CPU", &Result::cpu);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "Peak resident memory of this run, the six-player scenes' trails included: %.1f MB\n",
        usage.ru_maxrss / 1024.0);
}

}  // namespace

void runFrameTable() {
    std::printf("Renderer: %s | %s; LP_NUM_THREADS=%s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                std::getenv("LP_NUM_THREADS") ? std::getenv("LP_NUM_THREADS") : "(driver default)");
    std::printf(
        "A frame is gameSceneFrame(app) at frameTime 16 ms, ending with the buffer swap;\n"
        "the scene is put back (heads, point counts, pickups, rockets) before every frame,\n"
        "outside the timed region, so each timed frame runs the same scene.\n");
    std::vector<Scenario> scenarios = allScenarios();
    std::vector<Result> results;
    for (Scenario& scenario : scenarios) {
        results.push_back(measure(scenario));
        if (&scenario == &scenarios[1]) countSteadyStateAllocations();
        std::fflush(stdout);
    }
    printTable(results);
}

void runScenarioForProfile(const std::string& name, int frames) {
    // a to d by letter, or the six-player scene with this many elements per player.
    Scenario scenario{"", FrameKind::game, frames, nullptr};
    if (name == "a") {
        scenario = {"(a)", FrameKind::floor, frames, [] {}};
    } else if (name == "b") {
        scenario = {"(b)", FrameKind::game, frames, setUpEarlyRound};
    } else {
        const auto elements = static_cast<std::uint32_t>(name == "c"   ? 3000
                                                         : name == "d" ? 20000
                                                                       : std::stoul(name));
        scenario = {"six players", FrameKind::game, frames, [elements] { setUpCrowd(elements); },
                    true};
    }
    scenario.setUp();
    FrameLoop loop{scenario.kind == FrameKind::game ? takeSnapshot() : WorldSnapshot{},
                   scenario.kind};
    for (int i = 0; i < kWarmUpFrames; ++i) {
        loop.prepare();
        quorlWarmUpFrame(scenario.kind);
    }
    for (int i = 0; i < frames; ++i) {
        loop.prepare();
        quorlBenchFrame(scenario.kind);
    }
    checkScene(scenario);
    std::printf("%s: %u frames measured, %llu trail elements\n", scenario.label,
                static_cast<unsigned>(measuredFrames),
                static_cast<unsigned long long>(
                    scenario.kind == FrameKind::game ? trailElementsInUse() : 0));
}
