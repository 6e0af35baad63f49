// The trails of the six-player scenes drawn by the game's drawTrail and by the immediate-mode
// reference, after a check that both give the same frame pixel for pixel.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/window.h"
#include "bench/benchmarks.h"
#include "bench/scenes.h"
#include "bench/summary.h"
#include "game/players/trail_drawing.h"
#include "gfx/camera.h"
#include "tests/reference/reference_trail.h"

namespace {

using DrawFunction = void (*)(Player&);

void drawImmediate(Player& player) {
    drawTrailImmediate(player);
}

constexpr int kPixels = kScreenWidth * kScreenHeight;

std::map<std::uint32_t, double> arraysMillis;  // the game's drawing by elements per player

// The trail part of a game frame, finished: llvmpipe rasterises only when the frame is flushed.
void drawTrails(DrawFunction draw) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    applyCamera();
    for (int i = 0; i < activePlayerCount(); ++i) draw(*world->players[i]);
    glFinish();
}

// Each pixel's colour (RGBA), then each pixel's stencil value.
std::vector<std::uint8_t> drawnPixels(DrawFunction draw) {
    drawTrails(draw);
    std::vector<std::uint8_t> pixels(kPixels * 5);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE,
                 pixels.data() + kPixels * 4);
    return pixels;
}

void checkSamePixels(const std::string& scene) {
    const std::vector<std::uint8_t> game = drawnPixels(drawTrail);
    const std::vector<std::uint8_t> reference = drawnPixels(drawImmediate);
    const auto differ = std::mismatch(game.begin(), game.end(), reference.begin());
    if (differ.first == game.end()) return;
    const long byte = differ.first - game.begin();
    const long pixel = byte < kPixels * 4 ? byte / 4 : byte - kPixels * 4;
    char text[200];
    std::snprintf(text, sizeof text,
                  "%s: the game's trail drawing and the immediate-mode reference differ in %s at "
                  "pixel (%ld, %ld)",
                  scene.c_str(), byte < kPixels * 4 ? "colour" : "stencil", pixel % kScreenWidth,
                  pixel / kScreenWidth);
    throw std::runtime_error(text);
}

// The scene with state.range(0) elements per player, in the GL state a game frame leaves.
void drawBenchmark(benchmark::State& state, bool arrays) {
    const auto elements = static_cast<std::uint32_t>(state.range(0));
    const std::string scene = "draw 6 x " + std::to_string(elements) + " el.";
    showCrowd(elements);
    playFrames(1);
    showCrowd(elements);
    if (arrays) checkSamePixels(scene);
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        drawTrails(arrays ? drawTrail : drawImmediate);
        const std::chrono::duration<double> drawn = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(drawn.count());
        seconds += drawn.count();
    }
    const double millis = seconds * 1e3 / static_cast<double>(state.iterations());
    if (arrays) arraysMillis[elements] = millis;
    const auto measured = arraysMillis.find(elements);
    if (arrays || measured == arraysMillis.end()) return;
    char line[120];
    std::snprintf(line, sizeof line, "%s: arrays %.1f ms, immediate %.1f ms, ratio %.2f",
                  scene.c_str(), measured->second, millis, measured->second / millis);
    setSummaryLine(100 + static_cast<int>(elements / 1000), line);
}

}  // namespace

void registerDrawBenchmarks() {
    // Each scene's two drawings one after the other, so that the scene is built only once.
    for (int elements : {1000, 6000, 20000}) {
        for (bool arrays : {true, false}) {
            benchmark::RegisterBenchmark(arrays ? "draw/arrays" : "draw/immediate", drawBenchmark,
                                         arrays)
                ->Arg(elements)
                ->UseManualTime()
                ->MeasureProcessCPUTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}
