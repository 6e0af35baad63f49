// How long a computer player thinks per frame on a crowded six-player arena: six lines that
// have wandered the arena for a long round, each head thinking at the hard level every frame
// while the heads move on. Prints the median and the worst time per player per frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/benchmarks.h"
#include "bench/summary.h"
#include "game/computer/brain.h"

namespace {

constexpr int kSize = 768;
constexpr int kPlayers = 6;
constexpr double kPi = 3.14159265358979323846;

// Six lines of `steps` pixels each, wandering in arcs and bouncing off the walls, 5 pixels wide.
std::vector<std::uint8_t> crowdedMap(int steps, std::vector<HeadView>& heads) {
    std::vector<std::uint8_t> map(static_cast<std::size_t>(kSize) * kSize, 0);
    std::mt19937 random(7);
    heads.clear();
    for (int p = 0; p < kPlayers; ++p) {
        double x = 100 + random() % 568, y = 100 + random() % 568, angle = random() % 360;
        double turn = 0;
        for (int i = 0; i < steps; ++i) {
            if (i % 40 == 0) turn = static_cast<int>(random() % 5) - 2.0;
            angle += turn;
            const double a = angle * kPi / 180.0;
            x += std::cos(a);
            y += std::sin(a);
            if (x < 20 || x > kSize - 20 || y < 20 || y > kSize - 20) {
                angle += 180;
                x = std::clamp(x, 20.0, kSize - 20.0);
                y = std::clamp(y, 20.0, kSize - 20.0);
            }
            if (i % 300 > 290) continue;  // a gap
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    map[static_cast<std::size_t>(y + dy) * kSize + static_cast<std::size_t>(x + dx)] = 1;
        }
        heads.push_back({x, y, angle, true});
    }
    return map;
}

void thinkBenchmark(benchmark::State& state) {
    std::vector<HeadView> heads;
    const std::vector<std::uint8_t> map = crowdedMap(static_cast<int>(state.range(0)), heads);
    const CollisionMap view{map.data(), kSize};
    std::vector<Brain> brains;
    for (int p = 0; p < kPlayers; ++p) brains.emplace_back(ComputerLevel::hard, p + 1u);
    std::vector<double> times;
    times.reserve(1 << 16);
    std::vector<HeadView> others;
    for (auto _ : state) {
        for (int p = 0; p < kPlayers; ++p) {
            others.clear();
            for (int q = 0; q < kPlayers; ++q)
                if (q != p) others.push_back(heads[q]);
            SelfView self;
            self.head = heads[p];
            self.speed = 100;
            self.turnRate = 180;
            self.lineWidth = 5;
            self.gapLength = 18;
            self.gapInterval = 3;
            const auto start = std::chrono::steady_clock::now();
            const KeyChoice keys = brains[p].think(view, self, others, 16.0);
            const auto end = std::chrono::steady_clock::now();
            if (times.size() < times.capacity())
                times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            // The head moves on as the keys say, so each frame asks a new question.
            heads[p].angle += keys.left ? 2.88 : keys.right ? -2.88 : 0.0;
            const double a = heads[p].angle * kPi / 180.0;
            heads[p].x = std::clamp(heads[p].x + 1.6 * std::cos(a), 10.0, kSize - 10.0);
            heads[p].y = std::clamp(heads[p].y + 1.6 * std::sin(a), 10.0, kSize - 10.0);
            benchmark::DoNotOptimize(keys);
        }
    }
    std::sort(times.begin(), times.end());
    char line[200];
    std::snprintf(line, sizeof line,
                  "Computer player thinking (hard, six players, %d-pixel trails): median %.3f ms, "
                  "worst %.3f ms per player per frame over %zu thoughts",
                  static_cast<int>(state.range(0)), times[times.size() / 2], times.back(),
                  times.size());
    setSummaryLine(300 + static_cast<int>(state.range(0) / 1000), line);
}

}  // namespace

void registerComputerBenchmark() {
    benchmark::RegisterBenchmark("computer/think", thinkBenchmark)
        ->Arg(1000)
        ->Arg(4000)
        ->Unit(benchmark::kMillisecond);
}
