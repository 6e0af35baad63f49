// Frame costs of the game's own scene code on the offscreen context, from a floor of clear,
// one stencil read and swap up to six players with 20000 trail elements each.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "app/context.h"
#include "bench/alloc_counter.h"
#include "bench/benchmarks.h"
#include "bench/run_folder.h"
#include "bench/scenes.h"
#include "game/scenes/game_scene.h"
#include "gfx/stencil.h"
#include "platform/platform.h"

// The measured frame, kept out of line so that a profiler can collect exactly this; a floor
// frame is the least any frame does.
__attribute__((noinline, noclone)) void quorlBenchFrame(bool floorOnly) {
    if (floorOnly) {
        glClear(GL_COLOR_BUFFER_BIT);
        readStencil(384, 384);
        platform::swapBuffers();
    } else {
        gameSceneFrame(*context->app);
    }
}

namespace {

constexpr int kWarmUpFrames = 10;

void countAllocations(benchmark::State& state) {
    using benchmark::Counter;
    state.counters["game allocs"] = Counter(alloc_counter::game(), Counter::kAvgIterations);
    state.counters["all allocs"] = Counter(alloc_counter::all(), Counter::kAvgIterations);
}

// Frames of the scene in `snapshot` (none: floor frames), each from the same scene: the
// snapshot is put back outside the timed region. First-use work goes to warm-up frames.
void measureFrames(benchmark::State& state, const WorldSnapshot* snapshot, const char* scene) {
    for (int i = 0; i < kWarmUpFrames; ++i) {
        if (snapshot != nullptr) restoreSnapshot(*snapshot);
        advanceFrame();
        quorlBenchFrame(snapshot == nullptr);
    }
    alloc_counter::reset();
    for (auto _ : state) {
        state.PauseTiming();
        if (snapshot != nullptr) restoreSnapshot(*snapshot);
        advanceFrame();
        state.ResumeTiming();
        alloc_counter::setCounting(true);
        quorlBenchFrame(snapshot == nullptr);
        alloc_counter::setCounting(false);
    }
    if (snapshot != nullptr) checkEveryoneAlive(scene);
    state.counters["elements"] = static_cast<double>(snapshot ? trailElementsInUse() : 0);
    countAllocations(state);
}

void floorFrames(benchmark::State& state) {
    measureFrames(state, nullptr, "the floor");
}

void earlyRoundFrames(benchmark::State& state) {
    setUpEarlyRound();
    const WorldSnapshot snapshot = takeSnapshot();
    measureFrames(state, &snapshot, "the early round");
}

// Six players with state.range(0) trail elements each.
void crowdFrames(benchmark::State& state) {
    showCrowd(static_cast<std::uint32_t>(state.range(0)));
    const WorldSnapshot snapshot = takeSnapshot();
    measureFrames(state, &snapshot, "the six-player scene");
    state.SetComplexityN(static_cast<std::int64_t>(trailElementsInUse()));
}

// The round runs on, unrestored: only trail growth may allocate.
void straightRoundAllocations(benchmark::State& state) {
    setUpStraightRound();
    const double elementsBefore = static_cast<double>(trailElementsInUse());
    alloc_counter::reset();
    for (auto _ : state) {
        advanceFrame();
        alloc_counter::setCounting(true);
        gameSceneFrame(*context->app);
        alloc_counter::setCounting(false);
    }
    checkEveryoneAlive("the straight round");
    state.counters["elements before"] = elementsBefore;
    state.counters["elements"] = static_cast<double>(trailElementsInUse());
    state.counters["game allocs"] = static_cast<double>(alloc_counter::game());
    state.counters["all allocs"] = static_cast<double>(alloc_counter::all());
}

}  // namespace

void registerFrameBenchmarks(int frames) {
    // Wall time decides the number of frames; CPU time is the whole process's, the rasteriser
    // threads included, which other programs on a busy machine disturb less.
    auto frameOptions = [frames](benchmark::internal::Benchmark* b) {
        b->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
        if (frames > 0)
            b->Iterations(frames);
        else
            b->MinTime(2.0);
    };
    frameOptions(benchmark::RegisterBenchmark("frame/floor", floorFrames));
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
