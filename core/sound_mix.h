// The offline mixer: sounds added at sample offsets with a volume and a pan, summed in 32 bits
// and taken out in order as clipped 16-bit stereo.
#pragma once

#include <cstdint>
#include <vector>

#include "core/wave_file.h"

// How far ahead of what was taken a sound may end: ten minutes of sound.
constexpr std::uint64_t kMaxMixAheadFrames = 600 * std::uint64_t{kSoundRate};

struct PanGains {
    float left;
    float right;
};

// Equal-power pan: -1 is all left, +1 all right, 0 both at -3 dB; the same loudness anywhere.
PanGains panGains(float pan);

// The first sample frame of frame `frame` when every frame lasts `frameMs` milliseconds.
std::uint64_t frameStartSample(std::uint64_t frame, double frameMs);

// Sound is mixed into a window that starts at the first sample frame not yet taken and grows
// to the end of the latest sound, so that memory follows the longest sound, not the match.
class SoundMix {
public:
    // Mixes `sound` in from sample frame `at` on, scaled by `volume` (0..1) and placed by `pan`
    // (-1..1); values outside are clamped, and a NaN volume is silence. A part before what was
    // already taken is dropped. False, and nothing added, when the sound would end more than
    // kMaxMixAheadFrames after it.
    bool add(const WaveSound& sound, std::uint64_t at, float volume, float pan);

    // Replaces `out` with the interleaved stereo samples up to sample frame `until`, clipped to
    // 16 bits, silence where no sound plays: nothing when `until` was already taken, and at
    // most kMaxMixAheadFrames at a time.
    void take(std::uint64_t until, std::vector<std::int16_t>& out);

    // The sample frame after the last sound added, or after what was taken when that is later.
    std::uint64_t end() const { return taken_ + window_.size() / 2; }

private:
    std::uint64_t taken_ = 0;
    std::vector<std::int32_t> window_;  // interleaved left and right sums from taken_ on
};
