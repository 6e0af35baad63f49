// Frame costs of the game's own scene code on the offscreen context, from a floor of clear,
// one stencil read and swap up to six players with 20000 trail elements each.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/context.h"
#include "bench/alloc_counter.h"
#include "bench/benchmarks.h"
#include "bench/scenes.h"
#include "bench/summary.h"
#include "game/scenes/game_scene.h"
#include "gfx/offscreen.h"
#include "gfx/stencil.h"
#include "platform/platform.h"

// The measured frame, kept out of line so that a profiler can collect exactly this; a floor
// frame is the least any frame does.
bool scaledCopy = true;  // whether floor frames show the picture through the window's copy

__attribute__((noinline, noclone)) void quorlBenchFrame(bool floorOnly) {
    if (floorOnly) {
        glClear(GL_COLOR_BUFFER_BIT);
        readStencil(384, 384);
        // The offscreen window is never shown, so showFrame would not copy: the copy into a
        // window of the picture's size is made here.
        if (scaledCopy) presentOffscreen(kScreenWidth, kScreenHeight);
        platform::swapBuffers();
    } else {
        gameSceneFrame(context->app->frameTime);
    }
}

namespace {

constexpr int kWarmUpFrames = 10;

double floorMicros = 0.0;  // the floor frame's mean wall time, which the scenes are set against

// Frames of the scene in `snapshot` (none: floor frames), each from the same scene: the
// snapshot is put back outside the timed region. First-use work goes to warm-up frames.
// Returns the mean wall time of a frame in microseconds.
double measureFrames(benchmark::State& state, const WorldSnapshot* snapshot) {
    for (int i = 0; i < kWarmUpFrames; ++i) {
        if (snapshot != nullptr) restoreSnapshot(*snapshot);
        advanceFrame();
        quorlBenchFrame(snapshot == nullptr);
    }
    double seconds = 0.0;
    alloc_counter::reset();
    for (auto _ : state) {
        state.PauseTiming();
        if (snapshot != nullptr) restoreSnapshot(*snapshot);
        advanceFrame();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        alloc_counter::setCounting(true);
        quorlBenchFrame(snapshot == nullptr);
        alloc_counter::setCounting(false);
        const std::chrono::duration<double> frame = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(frame.count());
        seconds += frame.count();
    }
    const double micros = seconds * 1e6 / static_cast<double>(state.iterations());
    if (alloc_counter::available()) {
        using benchmark::Counter;
        state.counters["game allocs"] = Counter(alloc_counter::game(), Counter::kAvgIterations);
        state.counters["all allocs"] = Counter(alloc_counter::all(), Counter::kAvgIterations);
    }
    if (snapshot == nullptr) return micros;
    checkEveryoneAlive();
    state.counters["elements"] = static_cast<double>(trailElementsInUse());
    state.counters["/floor"] = micros / floorMicros;
    return micros;
}

void floorFrames(benchmark::State& state) {
    floorMicros = measureFrames(state, nullptr);
}

// The least any copy of the picture into a window costs on this machine: its rows moved by the
// processor, bottom row first as a window stores them, with nothing converted or filtered.
// Returns microseconds per picture.
double plainCopyMicros() {
    constexpr std::size_t kRow = static_cast<std::size_t>(kScreenWidth) * 4;
    const std::vector<unsigned char> from(kRow * kScreenHeight, 1);
    std::vector<unsigned char> to(from.size());
    constexpr int kCopies = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < kCopies; ++n) {
        for (int y = 0; y < kScreenHeight; ++y) {
            std::memcpy(&to[kRow * (kScreenHeight - 1 - y)], &from[kRow * y], kRow);
        }
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / kCopies;
}

// `copy` as a percentage of a floor frame of `rest` plus that copy.
double copyShare(double copy, double rest) {
    return copy + rest > 0.0 ? 100.0 * copy / (copy + rest) : 0.0;
}

// The floor frame once more, swapped without copying the picture into the window: the
// difference is what the scaled copy costs a frame, set beside the least a copy can cost.
void floorFramesWithoutCopy(benchmark::State& state) {
    scaledCopy = false;
    const double micros = measureFrames(state, nullptr);
    scaledCopy = true;
    const double plain = plainCopyMicros();
    char line[300];
    std::snprintf(line, sizeof line,
                  "Copy of the picture into a window of its size: %.1f us a frame, "
                  "%.0f %% of the floor frame (%.1f us with it, %.1f us without);\n"
                  "  its bytes moved by memcpy alone: %.1f us, which would be %.0f %% of the floor "
                  "frame",
                  floorMicros - micros, copyShare(floorMicros - micros, micros), floorMicros,
                  micros, plain, copyShare(plain, micros));
    setSummaryLine(4, line);
}

void earlyRoundFrames(benchmark::State& state) {
    setUpEarlyRound();
    const WorldSnapshot snapshot = takeSnapshot();
    measureFrames(state, &snapshot);
}

// Six players with state.range(0) trail elements each.
void crowdFrames(benchmark::State& state) {
    showCrowd(static_cast<std::uint32_t>(state.range(0)));
    const WorldSnapshot snapshot = takeSnapshot();
    const double micros = measureFrames(state, &snapshot);
    const std::uint64_t elements = trailElementsInUse();
    state.counters["us/1000 el."] = (micros - floorMicros) / static_cast<double>(elements) * 1e3;
    state.SetComplexityN(static_cast<std::int64_t>(elements));
    setSummaryLine(
        2,
        "Frames: /floor = wall time over the floor frame's; us/1000 el. = (wall - floor) "
        "per thousand trail elements;\n  frame/crowd_BigO = wall time in ns per trail "
        "element, fitted through the origin; allocs = operator new calls per frame.\n"
        "  Six-player scenes: 20 pickups lying and 4 rockets in flight besides the "
        "trails.");
}

// The round runs on, unrestored: only trail growth may allocate.
void straightRoundAllocations(benchmark::State& state) {
    setUpStraightRound();
    const std::uint64_t elementsBefore = trailElementsInUse();
    alloc_counter::reset();
    for (auto _ : state) {
        advanceFrame();
        alloc_counter::setCounting(true);
        gameSceneFrame(context->app->frameTime);
        alloc_counter::setCounting(false);
    }
    checkEveryoneAlive();
    const std::string counts = alloc_counter::available()
                                   ? "game code " + std::to_string(alloc_counter::game()) +
                                         ", all code " + std::to_string(alloc_counter::all())
                                   : "not counted under the sanitizers";
    setSummaryLine(1, "Heap allocations (operator new) in " + std::to_string(state.iterations()) +
                          " frames of a straight two-player round, pickups off: " + counts +
                          "\n  (target 0 apart from trail growth); trail elements " +
                          std::to_string(elementsBefore) + " -> " +
                          std::to_string(trailElementsInUse()));
}

}  // namespace

void registerFrameBenchmarks(int frames) {
    // Wall time decides the number of frames; CPU time is the whole process's, the rasteriser
    // threads included, which other programs on a busy machine disturb less.
    auto frameOptions = [frames](benchmark::internal::Benchmark* b) {
        b->UseManualTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
        if (frames > 0)
            b->Iterations(frames);
        else
            b->MinTime(2.0);
    };
    frameOptions(benchmark::RegisterBenchmark("frame/floor", floorFrames));
    frameOptions(benchmark::RegisterBenchmark("frame/floor_without_copy", floorFramesWithoutCopy));
    frameOptions(benchmark::RegisterBenchmark("frame/early_round", earlyRoundFrames));
    benchmark::internal::Benchmark* crowd =
        benchmark::RegisterBenchmark("frame/crowd", crowdFrames);
    frameOptions(crowd);
    for (int elements : {1000, 3000, 6000, 12000, 20000}) crowd->Arg(elements);
    crowd->Complexity(benchmark::oN);
    benchmark::RegisterBenchmark("allocations/straight_round", straightRoundAllocations)
        ->Iterations(200)
        ->Unit(benchmark::kMicrosecond);
}
