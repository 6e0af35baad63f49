// The frame's sound list lives in the World; the frame loop empties it before each frame.
#include "game/sound_report.h"

#include <algorithm>

#include "game/arena.h"
#include "game/world.h"

void reportSound(SoundKind kind, double x) {
    const double pan = std::clamp(x / kArenaSize * 2.0 - 1.0, -1.0, 1.0);
    world->sounds.push_back({kind, static_cast<float>(pan)});
}

void reportSound(SoundKind kind) {
    reportSound(kind, kArenaSize / 2.0);
}
