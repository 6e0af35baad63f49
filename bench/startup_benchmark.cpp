// Start to first frame: fresh processes of this program start the game as startUp() does, one
// step at a time, and report when each step ended.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "bench/benchmarks.h"
#include "bench/run_folder.h"

extern char** environ;

namespace {

// What the child reports: main() entry, then the end of App(), openWindow(), the camera with
// startGame(), the first frame's swap and glFinish.
constexpr std::size_t kMarks = 6;
const char* const kStepNames[kMarks] = {"main to swap ms", "App ms",         "window ms",
                                        "initGame ms",     "first frame ms", "glFinish ms"};

// Starts this program as a fresh process; returns the times it printed, empty on failure.
std::vector<std::int64_t> runChild(const std::string& folder, std::int64_t& spawnNs) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string self = "/proc/self/exe", mode = "--startup-child", folderArg = folder;
    char* argv[] = {self.data(), mode.data(), folderArg.data(), nullptr};
    pid_t child = 0;
    spawnNs = monotonicNs();
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || status != 0) return {};
    std::istringstream numbers(text);
    std::vector<std::int64_t> marks;
    for (std::int64_t mark; numbers >> mark;) marks.push_back(mark);
    return marks.size() == kMarks ? marks : std::vector<std::int64_t>{};
}

void startupBenchmark(benchmark::State& state, const std::string& folder) {
    for (auto _ : state) {
        std::int64_t spawnNs = 0;
        const std::vector<std::int64_t> marks = runChild(folder, spawnNs);
        if (marks.empty()) {
            state.SkipWithError("the start-up process failed");
            break;
        }
        // Spawn to the first frame's swap; the counters in milliseconds.
        state.SetIterationTime((marks[4] - spawnNs) / 1e9);
        state.counters[kStepNames[0]] = (marks[4] - marks[0]) / 1e6;
        for (std::size_t i = 1; i < kMarks; ++i)
            state.counters[kStepNames[i]] = (marks[i] - marks[i - 1]) / 1e6;
    }
}

double smallest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

double largest(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

}  // namespace

void registerStartupBenchmark(const char* folder) {
    benchmark::RegisterBenchmark("startup", startupBenchmark, std::string(folder))
        ->Iterations(1)
        ->Repetitions(5)
        ->ComputeStatistics("min", smallest)
        ->ComputeStatistics("max", largest)
        ->ReportAggregatesOnly(true)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

int startupChild(std::int64_t mainNs, const char* folder) {
    if (chdir(folder) != 0) return 1;
    createContext();
    std::int64_t marks[kMarks] = {mainNs};
    context->app = new App;
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
