// The benchmark program: frame costs, start-up time, allocations and peak memory of Quorl on
// an offscreen 1024 x 768 context (Mesa llvmpipe).
//   quorl_bench                     the frame table with start-up time and allocations
//   quorl_bench --profile S [N]     scenario S (a, b, c, d or a number of elements per player
//                                   of six players) for N frames, for callgrind
//   quorl_bench --match [N]         a six-player match of N frames (18750), peak memory
//   quorl_bench --match-lingering [N]  the same, lingering in the intro and on round-over
//                                   banners for about half the frames
//   quorl_bench --startup-child D   one start-up in folder D (the table runs several of these)
//   quorl_bench --startup-phases D  the same with initialize()'s steps timed one by one
#include <GL/gl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/context.h"
#include "app/text_error.h"
#include "app/window.h"
#include "bench/bench_world.h"
#include "bench/frame_bench.h"
#include "bench/match_memory.h"
#include "platform/platform.h"

extern char** environ;

namespace {

constexpr int kStartupRuns = 5;
constexpr double kStartupTargetMs = 150.0;

// One start-up as the game does it: startUp(), then main-loop steps until the first frame.
int startupChild(const std::int64_t mainNs, const char* folder) {
    if (chdir(folder) != 0) return 1;
    createContext();
    const std::int64_t entryNs = monotonicNs();
    if (startUp() != 0) return 1;
    const std::int64_t startedNs = monotonicNs();
    runHeadlessFrame(*context->app);
    const std::int64_t swappedNs = monotonicNs();
    glFinish();
    const std::int64_t finishedNs = monotonicNs();
    std::printf("%lld %lld %lld %lld %lld\n", static_cast<long long>(mainNs),
                static_cast<long long>(entryNs), static_cast<long long>(startedNs),
                static_cast<long long>(swappedNs), static_cast<long long>(finishedNs));
    shutdown();
    return 0;
}

// The same start-up with its parts timed: initialize()'s steps called one by one.
int startupPhasesChild(const char* folder) {
    if (chdir(folder) != 0) return 1;
    createContext();
    std::vector<std::int64_t> marks{monotonicNs()};
    context->app = new App;
    marks.push_back(monotonicNs());
    openWindow();
    marks.push_back(monotonicNs());
    makeCameraAndProjection();
    startGame();
    marks.push_back(monotonicNs());
    runHeadlessFrame(*context->app);
    marks.push_back(monotonicNs());
    glFinish();
    marks.push_back(monotonicNs());
    for (std::size_t i = 1; i < marks.size(); ++i)
        std::printf("%lld ", static_cast<long long>(marks[i] - marks[i - 1]));
    std::printf("\n");
    shutdown();
    return 0;
}

struct StartupTimes {
    double fromSpawn, fromMain, fromStartUp, startUpOnly, toFinish;  // milliseconds
};

// Starts this program in `mode` as a fresh process; returns what it printed, or "" on failure.
std::string runChild(const char* mode, const std::string& folder, std::int64_t& spawnNs) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char self[] = "/proc/self/exe";
    std::vector<char> modeArg(mode, mode + std::strlen(mode) + 1);
    std::vector<char> folderArg(folder.begin(), folder.end());
    folderArg.push_back('\0');
    char* argv[] = {self, modeArg.data(), folderArg.data(), nullptr};
    pid_t child = 0;
    spawnNs = monotonicNs();
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || status != 0) return "";
    return text;
}

// Starts this program as a fresh process and reads the times it reports.
bool timeOneStartup(const std::string& folder, StartupTimes& out) {
    std::int64_t spawnNs = 0;
    const std::string text = runChild("--startup-child", folder, spawnNs);
    long long mainNs, entryNs, startedNs, swappedNs, finishedNs;
    if (std::sscanf(text.c_str(), "%lld %lld %lld %lld %lld", &mainNs, &entryNs, &startedNs,
                    &swappedNs, &finishedNs) != 5)
        return false;
    out = {(swappedNs - spawnNs) / 1e6, (swappedNs - mainNs) / 1e6, (swappedNs - entryNs) / 1e6,
           (startedNs - entryNs) / 1e6, (finishedNs - spawnNs) / 1e6};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void reportStartup(const std::string& folder) {
    std::vector<StartupTimes> runs;
    for (int i = 0; i < kStartupRuns; ++i) {
        StartupTimes times{};
        if (timeOneStartup(folder, times)) runs.push_back(times);
    }
    std::printf("(e) Start to first frame, run folder's config and images, %zu fresh processes\n",
                runs.size());
    if (runs.empty()) {
        std::printf("    FAILED: no start-up process reported\n");
        return;
    }
    auto line = [&](const char* what, double StartupTimes::*field) {
        std::vector<double> values;
        for (const StartupTimes& t : runs) values.push_back(t.*field);
        std::printf("    %-52s median %6.1f ms  (min %.1f, max %.1f)\n", what, median(values),
                    *std::min_element(values.begin(), values.end()),
                    *std::max_element(values.begin(), values.end()));
    };
    line("process spawn -> first frame's swap returned", &StartupTimes::fromSpawn);
    line("main() entry -> first frame's swap returned", &StartupTimes::fromMain);
    line("startUp() entry -> first frame's swap returned", &StartupTimes::fromStartUp);
    line("  of which startUp() itself", &StartupTimes::startUpOnly);
    line("process spawn -> first frame finished (glFinish)", &StartupTimes::toFinish);
    std::vector<double> spawnTimes;
    for (const StartupTimes& t : runs) spawnTimes.push_back(t.fromSpawn);
    const double m = median(spawnTimes);
    std::printf("    target under %.0f ms from process start: %s (median %.1f ms)\n",
                kStartupTargetMs, m < kStartupTargetMs ? "MET" : "MISSED", m);

    // Where the time goes: initialize()'s steps timed one by one in further fresh processes.
    const char* phases[] = {"App(): read config, start timer",
                            "createWindow(): SDL video, EGL, GL context (driver)",
                            "initGame(): GL state, DevIL, font + 2 logos + patterns",
                            "first frame (intro) to its swap", "glFinish after the swap"};
    constexpr std::size_t kPhases = sizeof phases / sizeof phases[0];
    std::vector<std::vector<double>> times(kPhases);
    for (int run = 0; run < kStartupRuns; ++run) {
        std::int64_t spawnNs = 0;
        const std::string text = runChild("--startup-phases", folder, spawnNs);
        std::vector<double> parts;
        const char* p = text.c_str();
        char* end = nullptr;
        for (long long v = std::strtoll(p, &end, 10); end != p; v = std::strtoll(p, &end, 10)) {
            parts.push_back(v / 1e6);
            p = end;
        }
        if (parts.size() != kPhases) continue;
        for (std::size_t i = 0; i < kPhases; ++i) times[i].push_back(parts[i]);
    }
    if (times[0].empty()) return;
    std::printf("    its parts (medians of %zu more fresh processes):\n", times[0].size());
    for (std::size_t i = 0; i < kPhases; ++i)
        std::printf("      %-58s %6.1f ms\n", phases[i], median(times[i]));
}

int runTable() {
    const ScratchRunFolder folder;
    reportStartup(folder.path());
    std::fflush(stdout);
    createContext();
    useBenchClock();
    if (startUp() != 0) return 1;
    // Frames are measured without waiting for a display refresh.
    platform::setSwapInterval(0);
    runFrameTable();
    shutdown();
    return 0;
}

int runProfile(const std::string& scenario, int frames) {
    const ScratchRunFolder folder;
    createContext();
    useBenchClock();
    if (startUp() != 0) return 1;
    platform::setSwapInterval(0);
    runScenarioForProfile(scenario, frames);
    shutdown();
    return 0;
}

int runMatch(int frames, bool lingering) {
    const ScratchRunFolder folder;
    return runMemoryMatch(frames, lingering);
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = monotonicNs();
    useOffscreenVideo();
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "--startup-child" && argc > 2) return startupChild(mainNs, argv[2]);
        if (mode == "--startup-phases" && argc > 2) return startupPhasesChild(argv[2]);
        if (mode == "--profile" && argc > 2)
            return runProfile(argv[2], argc > 3 ? std::stoi(argv[3]) : 10);
        if (mode == "--match" || mode == "--match-lingering")
            return runMatch(argc > 2 ? std::stoi(argv[2]) : 18750, mode == "--match-lingering");
        if (mode.empty()) return runTable();
    } catch (const TextError& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.text);
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl_bench: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: quorl_bench [--profile a|b|c|d|ELEMENTS [FRAMES] | --match [FRAMES] |\n"
                 "                    --match-lingering [FRAMES]]\n");
    return 2;
}
