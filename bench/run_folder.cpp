// The scratch run folder, offscreen video, monotonic time and the hand-stepped game clock.
#include "bench/run_folder.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "app/app.h"
#include "app/context.h"
#include "app/frame_timer.h"

namespace fs = std::filesystem;

namespace {

constexpr double kFrameMs = 16.0;

}  // namespace

ScratchRunFolder::ScratchRunFolder() {
    char pattern[] = "/tmp/quorl-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
    const fs::path folder = path_, run = QUORL_RUN_DIR;
    fs::copy_file(run / "config", folder / "config");
    fs::create_directory_symlink(run / "system", folder / "system");
    fs::create_directory_symlink(run / "patterns", folder / "patterns");
    fs::current_path(folder);
}

ScratchRunFolder::~ScratchRunFolder() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(path_, ignored);
}

void useOffscreenVideo() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
}

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void advanceFrame() {
    advanceHandCounter(kFrameMs);
    context->app->frameTime = kFrameMs;
}
