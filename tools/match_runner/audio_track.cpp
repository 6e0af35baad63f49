// Mixing a headless match's sounds with the offline mixer, as the game's player would play them.
#include "tools/match_runner/audio_track.h"

bool AudioTrack::open(const std::string& path, double frameMs, std::string& error) {
    frameMs_ = frameMs;
    for (std::size_t kind = 0; kind < kSoundKinds; ++kind) {
        if (!readWaveFile(std::string("system/sounds/") + kSoundFiles[kind], effects_[kind], error))
            return false;
    }
    return writer_.open(path, error);
}

bool AudioTrack::addFrame(std::uint64_t frame, const std::vector<SoundEvent>& sounds, int volume,
                          std::string& error) {
    const std::uint64_t start = frameStartSample(frame, frameMs_);
    for (const SoundEvent& event : sounds) {
        mix_.add(effects_[static_cast<std::size_t>(event.kind)], start,
                 static_cast<float>(volume) / 100.0f, event.pan);
    }
    mix_.take(frameStartSample(frame + 1, frameMs_), samples_);
    return writer_.write(samples_, error);
}

bool AudioTrack::finish(std::string& error) {
    mix_.take(mix_.end(), samples_);
    return writer_.write(samples_, error) && writer_.finish(error);
}
