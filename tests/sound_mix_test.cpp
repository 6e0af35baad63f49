// The offline mixer: where a sound lands, how it is panned, and how the sum is clipped.
#include "core/sound_mix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

WaveSound constant(std::int16_t value, std::size_t frames, int channels = 1) {
    WaveSound sound;
    sound.channels = channels;
    sound.samples.assign(frames * channels, value);
    return sound;
}

// The mix up to `until`, taken in one piece.
std::vector<std::int16_t> takeAll(SoundMix& mix, std::uint64_t until) {
    std::vector<std::int16_t> out;
    mix.take(until, out);
    return out;
}

}  // namespace

TEST(SoundMix, FrameNStartsAtNTimesTheFrameTime) {
    const struct {
        std::uint64_t frame;
        double frameMs;
        std::uint64_t sample;
    } cases[] = {{0, 16, 0},         {1, 16, 352},           {5, 16, 1764},
                 {1000, 16, 352800}, {3, 1000.0 / 60, 1102}, {7, 0, 0},
                 {7, -16, 0},        {1, 1e300, 1ull << 63}};
    for (const auto& c : cases) {
        EXPECT_EQ(frameStartSample(c.frame, c.frameMs), c.sample) << c.frame << " " << c.frameMs;
    }
}

TEST(SoundMix, SoundsLandAtTheirOffsetAndAddUpAcrossTakes) {
    SoundMix mix;
    // Two sounds in one frame sum; a later one starts exactly at its frame's first sample.
    ASSERT_TRUE(mix.add(constant(100, 4), frameStartSample(1, 16), 1, -1));
    ASSERT_TRUE(mix.add(constant(50, 2), frameStartSample(1, 16), 1, -1));
    ASSERT_TRUE(mix.add(constant(7, 1), frameStartSample(2, 16), 1, -1));
    EXPECT_EQ(mix.end(), 706u);

    const auto first = takeAll(mix, 353);  // up to one sample into frame 1
    ASSERT_EQ(first.size(), 2u * 353);
    EXPECT_EQ(first[2 * 351], 0);
    EXPECT_EQ(first[2 * 352], 150);
    const auto second = takeAll(mix, 707);
    ASSERT_EQ(second.size(), 2u * 354);
    EXPECT_EQ(second[0], 150);
    EXPECT_EQ(second[2 * 2], 100);
    EXPECT_EQ(second[2 * 3], 0);
    EXPECT_EQ(second[2 * (705 - 353)], 7);
    EXPECT_EQ(second[2 * (705 - 353) + 1], 0);  // all left: nothing on the right
    EXPECT_TRUE(takeAll(mix, 707).empty());

    // What was already taken is dropped; a sound ending too far ahead is refused.
    ASSERT_TRUE(mix.add(constant(9, 3), 706, 1, -1));
    EXPECT_EQ(takeAll(mix, 709), (std::vector<std::int16_t>{9, 0, 9, 0}));
    EXPECT_FALSE(mix.add(constant(1, 2), mix.end() + kMaxMixAheadFrames - 1, 1, 0));
}

TEST(SoundMix, PanKeepsThePowerAndVolumeScales) {
    const float nan = std::nanf("");
    const struct {
        float pan, volume;
        int channels;
        std::int16_t left, right;
    } cases[] = {
        {-1, 1, 1, 10000, 0},    {0, 1, 1, 7071, 7071},   {1, 1, 1, 0, 10000},
        {0.5, 1, 1, 3827, 9239}, {nan, 1, 1, 7071, 7071}, {7, 1, 1, 0, 10000},
        {0, 0.5, 1, 3536, 3536}, {0, 3, 1, 7071, 7071},   {0, nan, 1, 0, 0},
        {-1, 1, 2, 10000, 0},  // a stereo sound keeps its sides, each weighted
    };
    for (const auto& c : cases) {
        SoundMix mix;
        ASSERT_TRUE(mix.add(constant(10000, 1, c.channels), 0, c.volume, c.pan));
        const auto out = takeAll(mix, 1);
        EXPECT_EQ(out[0], c.left) << c.pan << " " << c.volume;
        EXPECT_EQ(out[1], c.right) << c.pan << " " << c.volume;
    }
}

TEST(SoundMix, SumsWideAndClipsOnlyTheResult) {
    SoundMix mix;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(mix.add(constant(30000, 1), 0, 1, -1));
    ASSERT_TRUE(mix.add(constant(-30000, 2), 0, 1, -1));
    ASSERT_TRUE(mix.add(constant(-30000, 1), 1, 1, -1));
    ASSERT_TRUE(mix.add(constant(-30000, 1), 1, 1, -1));
    // 90000 - 30000 clips high; -90000 clips low, where a 16-bit running sum would have wrapped.
    EXPECT_EQ(takeAll(mix, 2), (std::vector<std::int16_t>{32767, 0, -32768, 0}));

    ASSERT_TRUE(mix.add(constant(30000, 1), 2, 1, -1));
    ASSERT_TRUE(mix.add(constant(30000, 1), 2, 1, -1));
    ASSERT_TRUE(mix.add(constant(-30000, 1), 2, 1, -1));
    EXPECT_EQ(takeAll(mix, 3), (std::vector<std::int16_t>{30000, 0}));
}
