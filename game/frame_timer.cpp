// The frame timer on the platform's high-resolution counter.
#include "game/frame_timer.h"

#include "game/world.h"
#include "platform/platform.h"

const CounterSource& platformCounter() {
    static const CounterSource source{platform::counterValue, platform::counterFrequency};
    return source;
}

// Timers made outside a run (none in the game) read the platform's counter.
const CounterSource& defaultCounter() {
    if (world == nullptr || world->clock.counter == nullptr) return platformCounter();
    return *world->clock.counter;
}

namespace {
std::uint64_t handValue() {
    return world->clock.handTicks;
}
std::uint64_t handFrequency() {
    return 1000000;
}
}  // namespace

const CounterSource& handCounter() {
    static const CounterSource source{handValue, handFrequency};
    return source;
}

void advanceHandCounter(double milliseconds) {
    world->clock.handTicks += static_cast<std::uint64_t>(milliseconds * 1000.0);
}

void useCounter(const CounterSource& counter) {
    world->clock.counter = &counter;
}

void FrameTimer::restart() {
    secondsPerTick = 1.0 / static_cast<double>(counter->frequency());
    startCount = static_cast<std::int64_t>(counter->value());
}

std::uint64_t FrameTimer::elapsedTicks() const {
    return counter->value() - static_cast<std::uint64_t>(startCount);
}

void FrameTimer::skip(std::uint64_t ticks) {
    startCount += static_cast<std::int64_t>(ticks);
}

double FrameTimer::elapsedSeconds() const {
    return static_cast<double>(elapsedTicks()) * secondsPerTick;
}
