// The benchmark program: Google Benchmark's table of frame costs, trail drawing from arrays
// against immediate mode, start-up time and allocations, then a summary of them, on an
// offscreen 1024 x 768 context (Mesa llvmpipe).
//   quorl_bench [--frames N] [Google Benchmark flags such as --benchmark_filter=REGEX]
//   quorl_bench --startup-child DIR   one start-up in folder DIR (the start-up benchmark's child)
// --frames N measures exactly N frames per frame benchmark, as callgrind wants.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/app.h"
#include "app/context.h"
#include "app/frame_timer.h"
#include "app/text_error.h"
#include "bench/benchmarks.h"
#include "bench/run_folder.h"
#include "bench/summary_reporter.h"
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
    const ScratchRunFolder folder;
    registerStartupBenchmark(folder.path().c_str());
    registerFrameBenchmarks(frames);
    registerDrawBenchmarks();
    createContext();
    useCounter(handCounter());
    if (startUp() != 0) return 1;
    // Frames are measured without waiting for a display refresh.
    platform::setSwapInterval(0);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    shutdown();
    return reporter.failed() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = monotonicNs();
    useOffscreenVideo();
    try {
        if (argc > 2 && std::strcmp(argv[1], "--startup-child") == 0)
            return startupChild(mainNs, argv[2]);
        return runBenchmarks(argc, argv);
    } catch (const TextError& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.text);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.what());
    }
    return 1;
}
