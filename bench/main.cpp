// The benchmark program: frame costs, trail drawing from arrays against immediate mode, start-up
// time and allocations on Google Benchmark, on an offscreen 1024 x 768 context (Mesa llvmpipe),
// in the build's run folder; then a summary.
//   quorl_bench [--frames N] [Google Benchmark flags such as --benchmark_filter=REGEX]
//   --frames N measures exactly N frames per frame benchmark, as callgrind wants.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

#include "app/app.h"
#include "app/context.h"
#include "bench/benchmarks.h"
#include "bench/summary.h"
#include "core/text_error.h"
#include "game/frame_timer.h"
#include "platform/platform.h"

namespace {

int runBenchmarks(int argc, char** argv) {
    int frames = 0;
    if (argc > 2 && std::strcmp(argv[1], "--frames") == 0) {
        frames = std::stoi(argv[2]);
        argv[2] = argv[0];
        argc -= 2;
        argv += 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    registerStartupBenchmark();
    registerFrameBenchmarks(frames);
    registerDrawBenchmarks();
    registerComputerBenchmark();
    createContext();
    useCounter(handCounter());
    if (startUp() != 0) return 1;
    // Frames are measured without waiting for a display refresh.
    platform::setSwapInterval(0);
    benchmark::RunSpecifiedBenchmarks();
    printSummary();
    shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = monotonicNs();
    // Offscreen video, no X display; the game reads the run folder's config and images.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
    try {
        if (argc == 2 && std::strcmp(argv[1], "--startup-child") == 0) return startupChild(mainNs);
        if (chdir(QUORL_RUN_DIR) != 0) throw std::runtime_error("cannot enter " QUORL_RUN_DIR);
        return runBenchmarks(argc, argv);
    } catch (const TextError& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.text);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.what());
    }
    return 1;
}
