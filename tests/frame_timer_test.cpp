// The frame timer on a counter the test controls.
#include "game/frame_timer.h"

#include <gtest/gtest.h>

#include "tests/support.h"

TEST(FrameTimer, MeasuresTicksOfTheCounterAsSeconds) {
    FakeCounter fake(1000);
    FrameTimer timer;
    timer.counter = &fake.source();
    fake.now = 5000;
    timer.restart();
    EXPECT_EQ(timer.elapsedSeconds(), 0.0);
    fake.now += 250;
    EXPECT_DOUBLE_EQ(timer.elapsedSeconds(), 0.25);
    EXPECT_DOUBLE_EQ(static_cast<double>(timer.elapsedTicks()) * timer.secondsPerTick * 1000.0,
                     250.0);
    timer.restart();
    EXPECT_EQ(timer.elapsedSeconds(), 0.0);
}

TEST(FrameTimer, RunsOnThePlatformCounter) {
    FrameTimer timer;
    timer.restart();
    const double first = timer.elapsedSeconds();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 1.0);
    EXPECT_GE(timer.elapsedSeconds(), first);
}
