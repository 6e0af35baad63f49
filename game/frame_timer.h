// A restartable high-resolution stopwatch giving seconds as a double.
#pragma once

#include <cstdint>

// Where a timer reads its ticks; the platform's counter unless a test supplies its own.
struct CounterSource {
    std::uint64_t (*value)();
    std::uint64_t (*frequency)();
};

const CounterSource& platformCounter();

// A run's clock: the counter its new timers read and the ticks of the hand-moved counter.
struct CounterState {
    const CounterSource* counter = nullptr;  // null: the platform's
    std::uint64_t handTicks = 0;
};

// The counter new timers read: the platform's, unless the run is put on a counter of its own
// (the headless runner steps time by hand so that runs repeat exactly).
const CounterSource& defaultCounter();
void useCounter(const CounterSource& counter);

// A counter that moves only when told, at a million ticks per second: runs that must repeat
// exactly (the headless runner, the benchmark) put every timer on it with useCounter.
const CounterSource& handCounter();
void advanceHandCounter(double milliseconds);

struct FrameTimer {
    double secondsPerTick = 0.0;
    std::int64_t startCount = 0;
    const CounterSource* counter = &defaultCounter();

    // Starts a new measurement; the frequency is queried again each time.
    void restart();
    // Seconds since the last restart.
    double elapsedSeconds() const;
    // Ticks since the last restart, as an unsigned difference.
    std::uint64_t elapsedTicks() const;
    // Leaves `ticks` out of the current measurement, as if it had started that much later.
    void skip(std::uint64_t ticks);
};
