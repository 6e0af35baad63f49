// The match is heard: the runner's --audio track of a scripted match, and a game that starts
// without an audio device.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "core/sound_mix.h"
#include "core/wave_file.h"
#include "tests/quit_run.h"

namespace fs = std::filesystem;

namespace {

// The loudness of the mixed track's sample frames [from, to): the root mean square of both sides.
double loudness(const WaveSound& track, std::uint64_t from, std::uint64_t to) {
    double sum = 0.0;
    for (std::uint64_t i = from * 2; i < to * 2 && i < track.samples.size(); ++i)
        sum += static_cast<double>(track.samples[i]) * track.samples[i];
    return std::sqrt(sum / static_cast<double>((to - from) * 2));
}

}  // namespace

// One fast round without pickups, started by SPACE in frame 1: silence until then, the round's
// start at frame 1's time, and the first crash heard from the frame in which the line died.
TEST(Sound, TheAudioTrackHasEachSoundAtItsFramesTime) {
    const fs::path folder = makeScratchFolder("quorl-sound-track");
    linkImages(folder);
    Settings s = matchSettings();
    s.speed = 250;
    s.fixedRounds = 1;
    s.matchLimit = 1;
    writeConfig(s, folder);
    const std::string runner = "'" + std::string(QUORL_RUNNER) + "' --key 1+2:space";
    // The first frame count after which a line is dead: the crash came in the last frame.
    int low = 1, high = 600;
    while (low < high) {
        const int frames = (low + high) / 2;
        const Outcome outcome =
            runInFolder(folder, runner + " --frames " + std::to_string(frames) + " > summary.txt");
        ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
        if (readText(folder / "summary.txt").find("alive 0") != std::string::npos)
            high = frames;
        else
            low = frames + 1;
    }
    ASSERT_LT(low, 600) << "no line died";
    const std::uint64_t crashFrame = static_cast<std::uint64_t>(low) - 1;

    const Outcome outcome = runInFolder(
        folder, runner + " --frames " + std::to_string(low + 60) + " --audio track.wav > s.txt");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.errors;
    WaveSound track;
    std::string error;
    ASSERT_TRUE(readWaveFile((folder / "track.wav").string(), track, error)) << error;
    ASSERT_EQ(track.channels, 2);
    // At least every frame's sound, in step: 16 ms of sound a frame.
    EXPECT_GE(track.frames(), frameStartSample(static_cast<std::uint64_t>(low + 60), 16.0));

    const std::uint64_t start = frameStartSample(1, 16.0);
    const std::uint64_t crash = frameStartSample(crashFrame, 16.0);
    const std::uint64_t ms20 = kSoundRate / 50;
    EXPECT_EQ(loudness(track, 0, start), 0.0) << "a sound before its cause";
    EXPECT_GT(loudness(track, start, start + ms20), 500.0) << "no round start";
    // The round start has died away well before the crash at a speed of 250.
    ASSERT_GT(crash, start + kSoundRate / 2);
    EXPECT_LT(loudness(track, crash - ms20, crash), 50.0) << "sound just before the crash";
    EXPECT_GT(loudness(track, crash, crash + ms20), 500.0) << "no crash at frame " << crashFrame;
    fs::remove_all(folder);
}

// Without an audio device the game plays silently and says so once in errorlog.txt; with the
// sound off it does not look for one.
TEST(Sound, WithoutADeviceTheGamePlaysSilentlyAndSaysSoOnce) {
    const fs::path folder = makeScratchFolder("quorl-sound-device");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    for (const bool soundOn : {true, false}) {
        std::ofstream(folder / "keys") << (soundOn ? "" : "sound = no\n");
        fs::remove(folder / "errorlog.txt");
        QuitRequest request;
        request.frame = 5;
        const QuitOutcome outcome =
            runUntilQuit(folder, "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=no_such_device",
                         "'" + std::string(QUORL_BINARY) + "'", request);
        SCOPED_TRACE(soundOn ? "sound on" : "sound off");
        EXPECT_TRUE(outcome.signalled) << outcome.errors;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
        const std::string log = readText(folder / "errorlog.txt");
        if (soundOn) {
            EXPECT_EQ(log.rfind("Sound: no audio device (", 0), 0u) << log;
            EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        } else {
            EXPECT_FALSE(fs::exists(folder / "errorlog.txt")) << log;
        }
    }
    fs::remove_all(folder);
}
