// Start to first frame: fresh processes of this program start the game as startUp() does, one
// step at a time, and report when each step ended.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "bench/benchmarks.h"
#include "bench/summary.h"

namespace {

// What the child reports: main() entry, then the end of App(), openWindow(), the camera with
// startGame(), the first frame's swap and glFinish.
constexpr std::size_t kMarks = 6;
const char* const kSteps[kMarks] = {"main() to the swap", "App()",       "window and GL context",
                                    "initGame()",         "first frame", "glFinish"};

// Starts this program as a fresh process in the same working folder (through the shell's exec,
// which adds a millisecond or so); returns the times it printed, empty on failure.
std::vector<std::int64_t> runChild(std::int64_t& spawnNs) {
    const std::string command = "exec /proc/" + std::to_string(getpid()) + "/exe --startup-child";
    spawnNs = monotonicNs();
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return {};
    std::vector<std::int64_t> marks;
    for (long long mark; marks.size() < kMarks && std::fscanf(child, "%lld", &mark) == 1;)
        marks.push_back(mark);
    const bool succeeded = pclose(child) == 0 && marks.size() == kMarks;
    return succeeded ? marks : std::vector<std::int64_t>{};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each iteration is one fresh process; its time runs from the spawn to the first frame's swap.
void startupBenchmark(benchmark::State& state) {
    std::vector<std::vector<double>> millis(kMarks + 1);  // spawn to swap, then the steps
    for (auto _ : state) {
        std::int64_t spawnNs = 0;
        const std::vector<std::int64_t> marks = runChild(spawnNs);
        if (marks.empty()) {
            state.SkipWithError("the start-up process failed");
            return;
        }
        state.SetIterationTime((marks[4] - spawnNs) / 1e9);
        millis[0].push_back((marks[4] - spawnNs) / 1e6);
        millis[1].push_back((marks[4] - marks[0]) / 1e6);
        for (std::size_t i = 1; i < kMarks; ++i)
            millis[i + 1].push_back((marks[i] - marks[i - 1]) / 1e6);
    }
    const double spawnToSwap = median(millis[0]);
    char part[160];
    std::snprintf(part, sizeof part,
                  "Start to first frame, %zu fresh processes, medians: spawn to the first frame's "
                  "swap %.1f ms (target under 150 ms: %s)",
                  millis[0].size(), spawnToSwap, spawnToSwap < 150.0 ? "MET" : "MISSED");
    std::string line = part;
    for (std::size_t i = 0; i < kMarks; ++i) {
        std::snprintf(part, sizeof part, "%s%s %.1f ms", i % 3 == 0 ? "\n  " : ", ", kSteps[i],
                      median(millis[i + 1]));
        line += part;
    }
    setSummaryLine(0, line);
}

}  // namespace

std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void registerStartupBenchmark() {
    benchmark::RegisterBenchmark("startup", startupBenchmark)
        ->Iterations(5)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

int startupChild(std::int64_t mainNs) {
    createContext();
    std::int64_t marks[kMarks] = {mainNs};
    context->app = std::make_unique<App>();
    marks[1] = monotonicNs();
    openWindow();
    marks[2] = monotonicNs();
    makeCameraAndProjection();
    startGame();
    marks[3] = monotonicNs();
    runHeadlessFrame(*context->app);
    marks[4] = monotonicNs();
    glFinish();
    marks[5] = monotonicNs();
    for (std::int64_t mark : marks) std::printf("%lld ", static_cast<long long>(mark));
    std::printf("\n");
    shutdown();
    return 0;
}
