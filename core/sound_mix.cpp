// Mixing sounds offline: sums in 32 bits in a window that moves forward as sound is taken.
#include "core/sound_mix.h"

#include <algorithm>
#include <cmath>

PanGains panGains(float pan) {
    constexpr double kQuarterTurn = 1.57079632679489661923;  // pi / 2
    const float p = std::isfinite(pan) ? std::clamp(pan, -1.0f, 1.0f) : 0.0f;
    // From 0 (all left) to a quarter turn (all right): cos^2 + sin^2 = 1 keeps the power.
    const double angle = (p + 1.0) / 2 * kQuarterTurn;
    return {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

std::uint64_t frameStartSample(std::uint64_t frame, double frameMs) {
    if (!(frameMs > 0)) return 0;
    // With whole milliseconds the product is exact, so frames never drift against the sound.
    const double sample = std::floor(static_cast<double>(frame) * frameMs * kSoundRate / 1000);
    return sample < 0x1p63 ? static_cast<std::uint64_t>(sample) : std::uint64_t{1} << 63;
}

bool SoundMix::add(const WaveSound& sound, std::uint64_t at, float volume, float pan) {
    if (sound.channels != 1 && sound.channels != 2) return false;
    if (at >= taken_ && at - taken_ >= kMaxMixAheadFrames) return false;
    const std::uint64_t skip = at < taken_ ? taken_ - at : 0;
    const std::uint64_t frames = sound.frames();
    if (!(volume > 0) || skip >= frames) return true;
    const std::uint64_t start = at + skip - taken_;
    const std::uint64_t count = frames - skip;
    if (start + count > kMaxMixAheadFrames) return false;

    const PanGains gains = panGains(pan);
    const float left = std::min(volume, 1.0f) * gains.left;
    const float right = std::min(volume, 1.0f) * gains.right;
    if (window_.size() < 2 * (start + count)) window_.resize(2 * (start + count), 0);
    std::int32_t* to = window_.data() + 2 * start;
    const std::int16_t* from = sound.samples.data() + skip * sound.channels;
    // A mono sample feeds both sides; a stereo pair keeps its sides, each weighted by the pan.
    const std::size_t second = sound.channels == 2 ? 1 : 0;
    for (std::size_t i = 0; i < count; ++i, to += 2, from += sound.channels) {
        to[0] += static_cast<std::int32_t>(std::lrint(from[0] * left));
        to[1] += static_cast<std::int32_t>(std::lrint(from[second] * right));
    }
    return true;
}

void SoundMix::take(std::uint64_t until, std::vector<std::int16_t>& out) {
    out.clear();
    if (until <= taken_) return;
    const std::uint64_t frames = std::min(until - taken_, kMaxMixAheadFrames);
    out.resize(2 * frames);
    const std::size_t mixed = std::min<std::size_t>(window_.size(), out.size());
    for (std::size_t i = 0; i < mixed; ++i) {
        out[i] = static_cast<std::int16_t>(std::clamp(window_[i], -32768, 32767));
    }
    window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(mixed));
    taken_ += frames;
}
