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
// And this far beyond its sides, for the steps in which the game turns a line.
constexpr double kSideMargin = 1.0;
// The space count's cells, in pixels.
constexpr int kCell = 8;
// Another head's straight way on counts as taken this many frames ahead of it.
constexpr int kTrackLead = 6;
// What the space count's cells hold.
constexpr std::int8_t kBlocked = -1, kOurs = 1, kTheirs = 2;
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
            return {10, 10, 0.25};
        case ComputerLevel::normal:
            return {20, 5, 0.04};
        case ComputerLevel::hard:
        case ComputerLevel::none:
            break;
    }
    return {80, 1, 0.0};
}

Brain::Brain(ComputerLevel level, std::uint32_t seed) : traits_(levelTraits(level)), random_(seed) {
    tracks_.reserve(8);
}

void Brain::predictTracks(const CollisionMap& map, const SelfView& self,
                          const std::vector<HeadView>& others, double dt) {
    tracks_.clear();
    const int horizon = traits_.lookAheadFrames + kTrackLead;
    for (const HeadView& other : others) {
        if (!other.alive) continue;
        const double a = radiansOf(other.angle);
        Track track{other.x, other.y, std::cos(a) * self.speed * dt,
                    std::sin(a) * self.speed * dt, horizon};
        const double length = std::hypot(track.dx, track.dy);
        for (int f = 1; f <= horizon; ++f) {
            const double ahead = f * length + kProbeAhead;
            if (length > 0.0 && map.marked(other.x + track.dx / length * ahead,
                                           other.y + track.dy / length * ahead)) {
                track.frames = f;
                break;
            }
        }
        tracks_.push_back(track);
    }
}

bool Brain::crossesTrack(double x, double y, int frame, double reach) const {
    for (const Track& track : tracks_) {
        // Where the other has been by then, a little ahead of it for safety.
        const int steps = std::min(frame + kTrackLead, track.frames);
        const double sx = track.dx * steps, sy = track.dy * steps;
        const double ex = x - track.x, ey = y - track.y;
        const double squared = sx * sx + sy * sy;
        const double t = squared > 0.0 ? std::clamp((ex * sx + ey * sy) / squared, 0.0, 1.0) : 0.0;
        const double nx = ex - sx * t, ny = ey - sy * t;
        if (nx * nx + ny * ny < reach * reach) return true;
    }
    return false;
}

int Brain::survivedFrames(const CollisionMap& map, const SelfView& self, const Plan& plan,
                          double dt, std::vector<float>& path) const {
    // The game turns a line by pivoting it about its inner edge: its centre goes round a
    // circle wider by half the line's width than the heading's turn rate alone would draw.
    const double halfWidth = self.lineWidth / 2.0 + kSideMargin;
    const double radius = self.turnRate > 0.0 ? self.speed / radiansOf(self.turnRate) : 0.0;
    const double turnRate =
        radius > 0.0 ? self.turnRate * radius / (radius + self.lineWidth / 2.0) : 0.0;
    const double reach = 2.0 * self.lineWidth + 2.0;
    double x = self.head.x, y = self.head.y, angle = self.head.angle;
    double sinceGap = self.sinceGap;
    path.clear();
    const int frames = traits_.lookAheadFrames;
    for (int f = 1; f <= frames; ++f) {
        const int turn = f <= plan.switchAt ? plan.first : plan.second;
        angle += turn * turnRate * dt;
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
            map.marked(px + dy * halfWidth, py - dx * halfWidth) || crossesTrack(x, y, f, reach)) {
            return f - 1;
        }
        path.push_back(static_cast<float>(x));
        path.push_back(static_cast<float>(y));
    }
    return frames;
}

void Brain::markBlockedCells(const CollisionMap& map) {
    cells_ = map.size / kCell;
    blocked_.resize(static_cast<std::size_t>(cells_ * cells_));
    // A cell is blocked when any of four spread pixels in it is marked.
    for (int cy = 0; cy < cells_; ++cy) {
        for (int cx = 0; cx < cells_; ++cx) {
            const double px = cx * kCell, py = cy * kCell;
            const bool marked = map.marked(px + 2, py + 2) || map.marked(px + 6, py + 2) ||
                                map.marked(px + 2, py + 6) || map.marked(px + 6, py + 6);
            blocked_[static_cast<std::size_t>(cy * cells_ + cx)] = marked ? kBlocked : 0;
        }
    }
}

int Brain::ownSpace(const std::vector<float>& path, int frames) {
    reachedBy_ = blocked_;
    queue_.clear();
    queue_.reserve(blocked_.size());
    const auto cellAt = [&](double x, double y) {
        const int cx = static_cast<int>(std::floor(x / kCell));
        const int cy = static_cast<int>(std::floor(y / kCell));
        return cx < 0 || cy < 0 || cx >= cells_ || cy >= cells_ ? -1 : cy * cells_ + cx;
    };
    const auto block = [&](double x, double y) {
        const int cell = cellAt(x, y);
        if (cell >= 0) reachedBy_[static_cast<std::size_t>(cell)] = kBlocked;
    };
    const auto reach = [&](int cell, std::int8_t side) {
        reachedBy_[static_cast<std::size_t>(cell)] = side;
        queue_.push_back(cell);
    };
    // Its own way there is a trail too: a pocket it closes behind it is not its space. The
    // others move on meanwhile, on their tracks, and set out from where they have got to.
    const std::size_t points = path.size() / 2;
    for (std::size_t i = 0; i + 1 < points; ++i) block(path[2 * i], path[2 * i + 1]);
    for (const Track& track : tracks_) {
        const int steps = std::min(frames, track.frames - 1);
        for (int f = 0; f < steps; ++f) block(track.x + track.dx * f, track.y + track.dy * f);
        const int cell = cellAt(track.x + track.dx * steps, track.y + track.dy * steps);
        if (cell >= 0) reach(cell, kTheirs);
    }
    if (points > 0) {
        const int end = cellAt(path[2 * points - 2], path[2 * points - 1]);
        if (end >= 0) reach(end, kOurs);
    }
    int own = 0;
    for (std::size_t next = 0; next < queue_.size(); ++next) {
        const int cell = queue_[next];
        const std::int8_t side = reachedBy_[static_cast<std::size_t>(cell)];
        if (side == kOurs) ++own;
        const int cx = cell % cells_, cy = cell / cells_;
        const int around[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : around) {
            const int nx = cx + step[0], ny = cy + step[1];
            if (nx < 0 || ny < 0 || nx >= cells_ || ny >= cells_) continue;
            const int neighbour = ny * cells_ + nx;
            if (reachedBy_[static_cast<std::size_t>(neighbour)] == 0) reach(neighbour, side);
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
    const double dt = frameTime / 1000.0;
    predictTracks(map, self, others, dt);

    // For each first turn, the plan that lives longest: held all the way, or changed a
    // quarter, half or three quarters of the way.
    const int horizon = traits_.lookAheadFrames;
    int lives[3] = {-1, -1, -1};
    for (int i = 0; i < 3; ++i) {
        for (const int switchAt : {horizon, horizon / 4, horizon / 2, horizon * 3 / 4}) {
            for (const int second : kTurns) {
                if (switchAt == horizon && second != kTurns[i]) continue;
                const int lived = survivedFrames(map, self, {kTurns[i], switchAt, second}, dt, trial_);
                if (lived > lives[i]) {
                    lives[i] = lived;
                    std::swap(bestPaths_[i], trial_);
                }
            }
        }
    }
    const int longest = *std::max_element(lives, lives + 3);
    markBlockedCells(map);
    int bestTurn = 0;
    int bestSpace = -1;
    for (int i = 0; i < 3; ++i) {
        if (lives[i] < longest) continue;
        // Among the ways that live longest, the most space of its own; straight on first.
        const int space = ownSpace(bestPaths_[i], lives[i]);
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
    const bool trapped = longest < horizon / 2;
    held_.left = bestTurn > 0;
    held_.right = bestTurn < 0;
    held_.fire = rocketWorthFiring(map, self, others, trapped);
    return held_;
}
