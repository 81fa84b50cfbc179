// Clock: the time base's readings and arithmetic. The demo's clock starts
// with the music and only ever reports seconds since then.
#include "demo/Clock.h"

#include <limits>

#include "shell/CError.h"

FixedStepClockSource::FixedStepClockSource(std::int64_t ticksPerSecond,
                                           std::int64_t ticksPerReading)
    : ticksPerSecond(ticksPerSecond), ticksPerReading(ticksPerReading) {}

std::optional<std::int64_t> FixedStepClockSource::performanceFrequency() {
    return ticksPerSecond;
}

std::int64_t FixedStepClockSource::performanceCounter() {
    return ticksPerReading * readingCount++;
}

std::uint32_t FixedStepClockSource::tickCount() {
    // Only reached with a frequency of 0, which the time base refuses.
    return static_cast<std::uint32_t>(performanceCounter());
}

void startTimeBase(ClockSource& source, std::int64_t& timerFrequency,
                   std::int64_t& timerStart, bool& usePerformanceCounter) {
    const std::optional<std::int64_t> frequency = source.performanceFrequency();
    if (frequency) {
        if (*frequency == 0) {
            timerFrequency = 0;
            throw CError("Error initializing timer");
        }
        timerFrequency = *frequency;
        usePerformanceCounter = true;
        timerStart = source.performanceCounter();
    } else {
        timerFrequency = 1000;
        usePerformanceCounter = false;
        timerStart = static_cast<std::int64_t>(source.tickCount());
    }
}

double readTimeBase(ClockSource& source, std::int64_t& timerNow, std::int64_t timerStart,
                    std::int64_t timerFrequency, bool usePerformanceCounter) {
    // Frames drawn while the window is being made come before the time base
    // starts; they are at the very beginning of the demo.
    if (timerFrequency <= 0) {
        return 0.0;
    }
    timerNow = usePerformanceCounter ? source.performanceCounter()
                                     : static_cast<std::int64_t>(source.tickCount());
    const double seconds =
        static_cast<double>(timerNow - timerStart) / static_cast<double>(timerFrequency);
    if (seconds < 0.0) {
        return 0.0;
    }
    return seconds;
}
