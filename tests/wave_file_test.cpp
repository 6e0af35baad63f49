// Reading WAV files (what is refused and why), writing them back, and the game's own sounds.
#include "core/wave_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "tests/support.h"

namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}

// A canonical 44-byte-header WAV holding `dataBytes` bytes of samples.
std::vector<std::uint8_t> wav(int channels = 1, std::uint32_t dataBytes = 8) {
    std::vector<std::uint8_t> b(44 + dataBytes, 0);
    std::copy_n("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20, b.begin());
    put32(b, 4, 36 + dataBytes);
    put16(b, 20, 1);
    put16(b, 22, channels);
    put32(b, 24, kSoundRate);
    put32(b, 28, kSoundRate * 2 * channels);
    put16(b, 32, 2 * channels);
    put16(b, 34, 16);
    std::copy_n("data", 4, b.begin() + 36);
    put32(b, 40, dataBytes);
    return b;
}

std::vector<std::uint8_t> with16(std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    return b;
}

std::vector<std::uint8_t> with32(std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    put32(b, at, v);
    return b;
}

}  // namespace

TEST(WaveFile, RefusesWhatIsNotOurPcmWithTheReason) {
    auto renamedFmt = wav();
    std::copy_n("junk", 4, renamedFmt.begin() + 12);
    auto renamedData = wav();
    std::copy_n("list", 4, renamedData.begin() + 36);
    auto shortFmt = with32(wav(), 16, 12);  // its last field dropped, the data chunk moved up
    shortFmt.erase(shortFmt.begin() + 32, shortFmt.begin() + 36);
    auto cut = wav();
    cut.resize(cut.size() - 2);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"empty", {}, "is not a RIFF/WAVE file"},
        {"aiff", with32(wav(), 8, 0x46464941), "is not a RIFF/WAVE file"},
        {"float", with16(wav(), 20, 3), "floating-point sound (format 3)"},
        {"8 bits", with16(wav(), 34, 8), "8-bit samples"},
        {"3 channels", with16(wav(), 22, 3), "3 channels"},
        {"44.1 kHz", with32(wav(), 24, 44100), "sampled at 44100 Hz"},
        {"block size", with16(wav(), 32, 4), "block size"},
        {"short fmt", shortFmt, "format chunk is too short"},
        {"no fmt", renamedFmt, "no format chunk"},
        {"no data", renamedData, "no data chunk"},
        {"cut file", cut, "chunk runs past the end"},
        {"huge chunk", with32(wav(), 40, 0xFFFFFFFF), "chunk runs past the end"},
        {"half sample", wav(2, 6), "ends inside a sample"},
        {"no samples", wav(1, 0), "holds no samples"},
        {"too large", wav(2, kMaxSoundFileBytes), "too large"},
    };
    for (const auto& c : cases) {
        WaveSound sound;
        std::string error;
        EXPECT_FALSE(parseWave(c.bytes, "x.wav", sound, error)) << c.what;
        EXPECT_EQ(error.rfind("Sound file x.wav: ", 0), 0u) << c.what << ": " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
    WaveSound sound;
    std::string error;
    EXPECT_FALSE(readWaveFile("missing.wav", sound, error));
    EXPECT_EQ(error, "Sound file missing.wav: is missing or not a file");
}

TEST(WaveFile, WrittenStereoIsReadBackSampleForSample) {
    const auto folder = makeScratchFolder("quorl-wave");
    const std::string path = (folder / "mix.wav").string();
    const std::vector<std::int16_t> first = {-32768, 32767, 0, -1};
    const std::vector<std::int16_t> second = {1234, -4321};
    StereoWaveWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open(path, error)) << error;
    ASSERT_TRUE(writer.write(first, error)) << error;
    ASSERT_TRUE(writer.write(second, error)) << error;
    ASSERT_TRUE(writer.finish(error)) << error;

    WaveSound sound;
    ASSERT_TRUE(readWaveFile(path, sound, error)) << error;
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{-32768, 32767, 0, -1, 1234, -4321}));
    EXPECT_EQ(std::filesystem::file_size(path), 44u + 12u);

    StereoWaveWriter folderWriter;
    EXPECT_FALSE(folderWriter.open(folder.string(), error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

// The effects that assets/make_sounds.py commits: short, mono, faded in and out, below 0 dBFS.
TEST(WaveFile, TheGameSoundsAreShortFadedMono) {
    for (const char* name :
         {"round_start", "crash", "pickup", "rocket", "blast", "round_over", "match_over", "gap"}) {
        const std::string path = std::string(QUORL_SOURCE_DIR "/system/sounds/") + name + ".wav";
        WaveSound sound;
        std::string error;
        ASSERT_TRUE(readWaveFile(path, sound, error)) << error;
        EXPECT_EQ(sound.channels, 1) << name;
        EXPECT_GE(sound.frames(), kSoundRate / 20) << name;
        EXPECT_LE(sound.frames(), kSoundRate * 3 / 2) << name;
        EXPECT_EQ(sound.samples.front(), 0) << name;
        EXPECT_EQ(sound.samples.back(), 0) << name;
        int peak = 0;
        for (const std::int16_t s : sound.samples) peak = std::max(peak, std::abs(int{s}));
        EXPECT_LE(20 * std::log10(peak / 32768.0), -2.9) << name;
    }
}
