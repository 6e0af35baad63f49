// Reading the game's sound effects from WAV files and writing mixed stereo sound as a WAV file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The one sample rate of every sound and of the mix.
constexpr std::uint32_t kSoundRate = 22050;

// The longest sound file read: a minute of stereo, far beyond any effect of ours.
constexpr std::uint32_t kMaxSoundFileBytes = 60 * kSoundRate * 4 + 4096;

// 16-bit samples at kSoundRate; stereo samples interleave left and right.
struct WaveSound {
    int channels = 1;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
};

// Reads a RIFF/WAVE file of 16-bit PCM, mono or stereo, at kSoundRate. Anything else, or a
// damaged file, gives false and an error that names `path` and says what is wrong.
bool readWaveFile(const std::string& path, WaveSound& sound, std::string& error);

// The same check and decoding for bytes already in memory; `name` is the file named in the error.
bool parseWave(const std::vector<std::uint8_t>& bytes, const std::string& name, WaveSound& sound,
               std::string& error);

// Writes 16-bit stereo PCM at kSoundRate as it comes; finish() puts the sizes in the header.
class StereoWaveWriter {
public:
    StereoWaveWriter() = default;
    StereoWaveWriter(const StereoWaveWriter&) = delete;
    StereoWaveWriter& operator=(const StereoWaveWriter&) = delete;
    ~StereoWaveWriter();

    // Creates or truncates `path` and writes a header for an empty sound.
    bool open(const std::string& path, std::string& error);
    // Appends interleaved left/right samples; their count must be even.
    bool write(const std::vector<std::int16_t>& interleaved, std::string& error);
    // Fills in the header's sizes and closes the file.
    bool finish(std::string& error);

private:
    // Closes the file and says why it cannot be written.
    bool fail(const std::string& reason, std::string& error);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::uint64_t dataBytes_ = 0;
};
