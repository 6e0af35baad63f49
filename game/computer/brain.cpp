// A computer player's thinking: it tries each way to hold the turn keys for the next moments
// over the collision map, with the game's speed, turning and gaps, keeps the ways that live
// longest, and among those takes the one that leaves it the most space it reaches first.
#include "game/computer/brain.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// The probes look this far beyond the head's edges, a little further than the game's own, so
// that a path judged free stays free for the line's real probes.
constexpr double kProbeAhead = 2.5;
// The space count's cells, in pixels.
constexpr int kCell = 8;
// How far ahead another head's path counts as taken, in seconds, and in how many points.
constexpr double kDangerSeconds = 0.5;
constexpr int kDangerPoints = 6;
// How far a rocket is worth sending: at a head within this distance, or at a trail this close
// when trapped; and how near a head must be to the rocket's path.
constexpr double kRocketReach = 300.0;
constexpr double kBlastReach = 60.0;
constexpr double kHeadNearPath = 14.0;

// Turning: +1 left, 0 straight on, -1 right.
constexpr int kTurns[] = {0, 1, -1};

double radiansOf(double degrees) {
    return degrees * kPi / 180.0;
}

}  // namespace

bool CollisionMap::marked(double x, double y) const {
    const int ix = static_cast<int>(std::floor(x + 0.5));
    const int iy = static_cast<int>(std::floor(y + 0.5));
    if (ix < 0 || iy < 0 || ix >= size || iy >= size) return true;
    return pixels[static_cast<std::size_t>(iy) * static_cast<std::size_t>(size) +
                  static_cast<std::size_t>(ix)] != 0;
}

LevelTraits levelTraits(ComputerLevel level) {
    switch (level) {
        case ComputerLevel::easy:
            return {10, 10, 0.2};
        case ComputerLevel::normal:
            return {20, 5, 0.04};
        case ComputerLevel::hard:
        case ComputerLevel::none:
            break;
    }
    return {80, 1, 0.0};
}

Brain::Brain(ComputerLevel level, std::uint32_t seed) : traits_(levelTraits(level)), random_(seed) {
    dangers_.reserve(5 * kDangerPoints);
}

int Brain::survivedFrames(const CollisionMap& map, const SelfView& self, int first, int second,
                          double frameTime, double& endX, double& endY) const {
    const double dt = frameTime / 1000.0;
    const double halfWidth = self.lineWidth / 2.0;
    const double dangerDistance = 2.0 * self.lineWidth + 2.0;
    double x = self.head.x, y = self.head.y, angle = self.head.angle;
    double sinceGap = self.sinceGap;
    const int frames = traits_.lookAheadFrames;
    for (int f = 1; f <= frames; ++f) {
        const int turn = f <= frames / 2 ? first : second;
        angle += turn * self.turnRate * dt;
        const double a = radiansOf(angle);
        const double dx = std::cos(a), dy = std::sin(a);
        // A gap moves the head on without marking or probing what it skips.
        if (self.gapInterval > 0.0 && sinceGap >= self.gapInterval) {
            x += dx * self.gapLength;
            y += dy * self.gapLength;
            sinceGap = 0.0;
        }
        x += dx * self.speed * dt;
        y += dy * self.speed * dt;
        sinceGap += dt;
        const double px = x + dx * kProbeAhead, py = y + dy * kProbeAhead;
        if (map.marked(px - dy * halfWidth, py + dx * halfWidth) ||
            map.marked(px + dy * halfWidth, py - dx * halfWidth)) {
            return f - 1;
        }
        for (const HeadView& danger : dangers_) {
            const double ex = danger.x - x, ey = danger.y - y;
            if (ex * ex + ey * ey < dangerDistance * dangerDistance) return f - 1;
        }
        endX = x;
        endY = y;
    }
    return frames;
}

int Brain::ownSpace(const CollisionMap& map, double x, double y,
                    const std::vector<HeadView>& others) {
    const int cells = map.size / kCell;
    reachedBy_.assign(static_cast<std::size_t>(cells * cells), 0);
    queue_.clear();
    queue_.reserve(static_cast<std::size_t>(cells * cells));
    // Blocked cells: any of four spread pixels of the cell marked.
    for (int cy = 0; cy < cells; ++cy) {
        for (int cx = 0; cx < cells; ++cx) {
            const double px = cx * kCell, py = cy * kCell;
            if (map.marked(px + 2, py + 2) || map.marked(px + 6, py + 2) ||
                map.marked(px + 2, py + 6) || map.marked(px + 6, py + 6)) {
                reachedBy_[static_cast<std::size_t>(cy * cells + cx)] = -1;
            }
        }
    }
    const auto seed = [&](double sx, double sy, int side) {
        const int cx = static_cast<int>(sx) / kCell, cy = static_cast<int>(sy) / kCell;
        if (cx < 0 || cy < 0 || cx >= cells || cy >= cells) return;
        const int cell = cy * cells + cx;
        reachedBy_[static_cast<std::size_t>(cell)] = side;
        queue_.push_back(cell);
    };
    // The others go first, so a cell both reach at once is not counted as ours.
    for (const HeadView& other : others) {
        if (other.alive) seed(other.x, other.y, 2);
    }
    seed(x, y, 1);
    int own = 0;
    for (std::size_t next = 0; next < queue_.size(); ++next) {
        const int cell = queue_[next];
        const int side = reachedBy_[static_cast<std::size_t>(cell)];
        if (side == 1) ++own;
        const int cx = cell % cells, cy = cell / cells;
        const int around[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : around) {
            const int nx = cx + step[0], ny = cy + step[1];
            if (nx < 0 || ny < 0 || nx >= cells || ny >= cells) continue;
            std::int32_t& mark = reachedBy_[static_cast<std::size_t>(ny * cells + nx)];
            if (mark != 0) continue;
            mark = side;
            queue_.push_back(ny * cells + nx);
        }
    }
    return own;
}

bool Brain::rocketWorthFiring(const CollisionMap& map, const SelfView& self,
                              const std::vector<HeadView>& others, bool trapped) const {
    if (!self.holdsRocket) return false;
    const double a = radiansOf(self.head.angle);
    const double dx = std::cos(a), dy = std::sin(a);
    for (const HeadView& other : others) {
        if (!other.alive) continue;
        const double ex = other.x - self.head.x, ey = other.y - self.head.y;
        const double along = ex * dx + ey * dy;
        const double across = std::abs(ex * dy - ey * dx);
        if (along > 0.0 && along < kRocketReach && across < kHeadNearPath) return true;
    }
    if (!trapped) return false;
    for (double d = self.lineWidth; d < kBlastReach; d += 2.0) {
        if (map.marked(self.head.x + dx * d, self.head.y + dy * d)) return true;
    }
    return false;
}

KeyChoice Brain::think(const CollisionMap& map, const SelfView& self,
                       const std::vector<HeadView>& others, double frameTime) {
    if (!self.head.alive) return held_ = KeyChoice{};
    if (framesToNextThought_ > 0) {
        --framesToNextThought_;
        return held_;
    }
    framesToNextThought_ = traits_.framesBetweenThoughts - 1;

    dangers_.clear();
    for (const HeadView& other : others) {
        if (!other.alive) continue;
        const double a = radiansOf(other.angle);
        for (int i = 1; i <= kDangerPoints; ++i) {
            const double d = self.speed * kDangerSeconds * i / kDangerPoints;
            dangers_.push_back({other.x + std::cos(a) * d, other.y + std::sin(a) * d, 0.0, true});
        }
    }

    int bestTurn = 0;
    int bestSpace = -1;
    double ends[3][2] = {};
    int lives[3] = {};
    for (int i = 0; i < 3; ++i) {
        lives[i] = -1;
        for (const int second : kTurns) {
            double ex = self.head.x, ey = self.head.y;
            const int lived = survivedFrames(map, self, kTurns[i], second, frameTime, ex, ey);
            if (lived > lives[i]) {
                lives[i] = lived;
                ends[i][0] = ex;
                ends[i][1] = ey;
            }
        }
    }
    const int longest = *std::max_element(lives, lives + 3);
    for (int i = 0; i < 3; ++i) {
        if (lives[i] < longest) continue;
        // Among the ways that live longest, the most space of its own; straight on first.
        const int space = ownSpace(map, ends[i][0], ends[i][1], others);
        if (space > bestSpace) {
            bestSpace = space;
            bestTurn = kTurns[i];
        }
    }
    if (traits_.slipChance > 0.0 &&
        static_cast<double>(random_()) / static_cast<double>(std::mt19937::max()) <
            traits_.slipChance) {
        bestTurn = kTurns[random_() % 3];
    }
    const bool trapped = longest < traits_.lookAheadFrames / 2;
    held_.left = bestTurn > 0;
    held_.right = bestTurn < 0;
    held_.fire = rocketWorthFiring(map, self, others, trapped);
    return held_;
}
