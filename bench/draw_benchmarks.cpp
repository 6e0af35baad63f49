// The trails of the six-player scenes drawn by the game's drawTrail and by the immediate-mode
// reference, after a check that both give the same frame pixel for pixel.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/context.h"
#include "app/window.h"
#include "bench/benchmarks.h"
#include "bench/reference_trail.h"
#include "bench/scenes.h"
#include "game/players/trail_drawing.h"
#include "gfx/camera.h"

namespace {

using DrawFunction = void (*)(const Player&);

constexpr int kWidth = kWindowWidth, kHeight = kWindowHeight;

// The trail part of a game frame, finished: llvmpipe rasterises only when the frame is flushed.
void drawTrails(DrawFunction draw) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    applyCamera();
    for (int i = 0; i < activePlayerCount(); ++i) draw(*context->players[i]);
    glFinish();
}

// Each pixel's colour (RGBA) and stencil value.
std::vector<std::uint8_t> drawnPixels(DrawFunction draw) {
    drawTrails(draw);
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 5);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadPixels(0, 0, kWidth, kHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE,
                 pixels.data() + kWidth * kHeight * 4);
    return pixels;
}

void checkSamePixels(const std::string& scene) {
    const std::vector<std::uint8_t> game = drawnPixels(drawTrail);
    const std::vector<std::uint8_t> reference = drawnPixels(drawTrailImmediate);
    int differing = 0, first = -1;
    for (int pixel = 0; pixel < kWidth * kHeight; ++pixel) {
        bool same = game[kWidth * kHeight * 4 + pixel] == reference[kWidth * kHeight * 4 + pixel];
        for (int channel = 0; channel < 4; ++channel)
            same = same && game[pixel * 4 + channel] == reference[pixel * 4 + channel];
        if (same) continue;
        if (differing++ == 0) first = pixel;
    }
    if (differing == 0) return;
    throw std::runtime_error(
        scene + ": the game's trail drawing and the immediate-mode " + "reference differ in " +
        std::to_string(differing) + " pixels (colour or stencil), the first at (" +
        std::to_string(first % kWidth) + ", " + std::to_string(first / kWidth) + ")");
}

// The scene with state.range(0) elements per player, its GL state left by one game frame.
void drawBenchmark(benchmark::State& state, DrawFunction draw, bool check) {
    const auto elements = static_cast<std::uint32_t>(state.range(0));
    showCrowd(elements);
    playFrames(1);
    showCrowd(elements);
    if (check) checkSamePixels("draw 6 x " + std::to_string(elements) + " el.");
    for (auto _ : state) drawTrails(draw);
}

}  // namespace

void registerDrawBenchmarks() {
    // Each scene's two drawings one after the other, so that the scene is built only once.
    for (int elements : {1000, 6000, 20000}) {
        for (bool arrays : {true, false}) {
            benchmark::RegisterBenchmark(arrays ? "draw/arrays" : "draw/immediate", drawBenchmark,
                                         arrays ? drawTrail : drawTrailImmediate, arrays)
                ->Arg(elements)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}
