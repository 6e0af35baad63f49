// Fuzz target: any bytes as a sound file, through the WAV checks into the samples, and the
// samples into the mixer, as the runner's recorded sound would take them.
#include "core/sound_mix.h"
#include "core/wave_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    WaveSound sound;
    std::string error;
    if (!parseWave(bytes, "fuzz.wav", sound, error)) {
        FUZZ_CHECK(error.rfind("Sound file fuzz.wav: ", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(sound.channels == 1 || sound.channels == 2);
    FUZZ_CHECK(sound.frames() > 0);
    FUZZ_CHECK(sound.samples.size() * 2 <= size);
    SoundMix mix;
    FUZZ_CHECK(mix.add(sound, 3, 0.5f, size % 3 - 1.0f));
    std::vector<std::int16_t> out;
    mix.take(mix.end(), out);
    FUZZ_CHECK(out.size() == 2 * (sound.frames() + 3));
    return 0;
}
