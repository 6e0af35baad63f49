// The summary printed after Google Benchmark's own table, from the runs it reported.
#include "bench/summary_reporter.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include "bench/alloc_counter.h"

namespace {

constexpr int kCrowdSizes[] = {1000, 3000, 6000, 12000, 20000};
constexpr int kDrawSizes[] = {1000, 6000, 20000};

// Wall (or manual) time of one iteration; an aggregate's time is kept times its iterations too.
double millis(const benchmark::BenchmarkReporter::Run& run) {
    return run.real_accumulated_time * 1e3 / static_cast<double>(run.iterations);
}

double micros(const benchmark::BenchmarkReporter::Run& run) {
    return millis(run) * 1e3;
}

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? 0.0 : found->second.value;
}

}  // namespace

SummaryReporter::SummaryReporter() : ConsoleReporter(isatty(1) ? OO_ColorTabular : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        failed_ = failed_ || run.error_occurred;
        std::string key = run.run_name.function_name;
        if (!run.run_name.args.empty()) key += "/" + run.run_name.args;
        if (!run.aggregate_name.empty()) key += "_" + run.aggregate_name;
        runs_[key] = run;
    }
}

const benchmark::BenchmarkReporter::Run* SummaryReporter::find(const std::string& key) const {
    const auto found = runs_.find(key);
    return found == runs_.end() || found->second.error_occurred ? nullptr : &found->second;
}

void SummaryReporter::Finalize() {
    ConsoleReporter::Finalize();
    printFrameTable();
    printStartup();
    printAllocations();
    printDrawComparison();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "Peak resident memory of this run, the six-player scenes' trails included: %.1f MB\n",
        usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
}

void SummaryReporter::printFrameTable() {
    const Run* floor = find("frame/floor");
    if (floor == nullptr) return;
    std::printf("\n%-26s %8s %9s %9s %7s %9s %13s\n", "frame", "trail", "wall", "CPU", "wall",
                "us per", "allocations");
    std::printf("%-26s %8s %9s %9s %7s %9s %13s\n", "", "el.", "us", "us", "/floor", "1000 el.",
                "game / all");
    auto row = [&](const char* label, const Run& run, bool perElement) {
        const double wall = micros(run), elements = counter(run, "elements");
        char perK[16] = "", allocs[32] = "n/a";
        if (perElement)
            std::snprintf(perK, sizeof perK, "%.1f", (wall - micros(*floor)) / (elements / 1000.0));
        if (alloc_counter::available())
            std::snprintf(allocs, sizeof allocs, "%.0f / %.0f", counter(run, "game allocs"),
                          counter(run, "all allocs"));
        std::printf("%-26s %8.0f %9.0f %9.0f %7.1f %9s %13s\n", label, elements, wall,
                    run.cpu_accumulated_time * 1e6 / static_cast<double>(run.iterations),
                    wall / micros(*floor), perK, allocs);
    };
    row("floor: clear, stencil, swap", *floor, false);
    if (const Run* early = find("frame/early_round")) row("2 players, early round", *early, false);
    for (int size : kCrowdSizes) {
        const Run* crowd = find("frame/crowd/" + std::to_string(size));
        const std::string label = "6 players x " + std::to_string(size) + " el.";
        if (crowd != nullptr) row(label.c_str(), *crowd, true);
    }
    std::printf(
        "A frame is gameSceneFrame(app) at frameTime 16 ms, ending with the buffer swap; the "
        "scene\n"
        "is put back outside the timed region before every frame. CPU = process CPU time, the\n"
        "rasteriser threads included; us per 1000 el. = (wall - floor) / thousands of elements.\n"
        "Six-player scenes: 20 pickups lying and 4 rockets in flight besides the trails.\n");
    const Run* bigO = find("frame/crowd_BigO");
    const Run* rms = find("frame/crowd_RMS");
    if (bigO != nullptr && rms != nullptr)
        std::printf("Six-player scenes fitted as O(N): %.1f us per 1000 elements, RMS %.0f%%\n",
                    bigO->real_accumulated_time * 1e9, rms->GetAdjustedRealTime() * 100.0);
}

void SummaryReporter::printStartup() {
    const Run* median = find("startup_median");
    const Run* low = find("startup_min");
    const Run* high = find("startup_max");
    if (median == nullptr || low == nullptr || high == nullptr) return;
    const double ms = millis(*median);
    std::printf(
        "\nStart to first frame, 5 fresh processes: spawn to the first swap median %.1f ms (min "
        "%.1f, max %.1f);\n  main() to the swap %.1f ms; target under 150 ms: %s\n",
        ms, millis(*low), millis(*high), counter(*median, "main to swap ms"),
        ms < 150.0 ? "MET" : "MISSED");
    std::printf(
        "  its parts (medians): App() %.1f ms, window and GL context %.1f ms, initGame() %.1f ms, "
        "first frame %.1f ms, glFinish %.1f ms\n",
        counter(*median, "App ms"), counter(*median, "window ms"), counter(*median, "initGame ms"),
        counter(*median, "first frame ms"), counter(*median, "glFinish ms"));
}

void SummaryReporter::printAllocations() {
    const Run* run = find("allocations/straight_round");
    if (run == nullptr) return;
    if (!alloc_counter::available()) {
        std::printf("\nAllocations not counted: this build uses the sanitizers' allocator\n");
        return;
    }
    std::printf(
        "\nHeap allocations in %lld frames of a straight two-player round, pickups off: game code "
        "%.0f\n  (target 0 apart from trail growth), all code %.0f operator new; trail elements "
        "%.0f -> %.0f\n",
        static_cast<long long>(run->iterations), counter(*run, "game allocs"),
        counter(*run, "all allocs"), counter(*run, "elements before"), counter(*run, "elements"));
}

void SummaryReporter::printDrawComparison() {
    std::printf("\n");
    for (int size : kDrawSizes) {
        const Run* arrays = find("draw/arrays/" + std::to_string(size));
        const Run* immediate = find("draw/immediate/" + std::to_string(size));
        if (arrays == nullptr || immediate == nullptr) continue;
        std::printf("draw 6 x %d el.: arrays %.1f ms, immediate %.1f ms, ratio %.2f\n", size,
                    millis(*arrays), millis(*immediate), millis(*arrays) / millis(*immediate));
    }
}
