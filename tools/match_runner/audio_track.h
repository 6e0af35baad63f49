// quorl-runner --audio: what the game would have played, mixed frame by frame into a WAV file,
// each frame's sounds starting at the frame's own time, so that a 16 ms frame is 16 ms of sound.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/sound_events.h"
#include "core/sound_mix.h"
#include "core/wave_file.h"

class AudioTrack {
public:
    // Reads the effects from system/sounds/ and creates `path`; false with the reason.
    bool open(const std::string& path, double frameMs, std::string& error);

    // Mixes in the sounds frame `frame` reported, at `volume` (0 to 100), and writes the sound
    // up to the frame's end.
    bool addFrame(std::uint64_t frame, const std::vector<SoundEvent>& sounds, int volume,
                  std::string& error);

    // Writes what still sounds after the last frame and closes the file.
    bool finish(std::string& error);

private:
    std::array<WaveSound, kSoundKinds> effects_;
    SoundMix mix_;
    StereoWaveWriter writer_;
    std::vector<std::int16_t> samples_;
    double frameMs_ = 16.0;
};
