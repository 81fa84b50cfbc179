// The time base: starting it from each kind of source, the seconds it reads,
// the millisecond fallback, and the readings that must never go negative.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>

#include "demo/Clock.h"
#include "shell/CError.h"

namespace {

struct TimeBase {
    std::int64_t timerFrequency = 0;
    std::int64_t timerNow = 0;
    std::int64_t timerStart = 0;
    bool usePerformanceCounter = false;

    void start(ClockSource& source) {
        startTimeBase(source, timerFrequency, timerStart, usePerformanceCounter);
    }
    double read(ClockSource& source) {
        return readTimeBase(source, timerNow, timerStart, timerFrequency, usePerformanceCounter);
    }
};

TEST(Clock, FixedStepAdvancesExactlyOneStepPerReading) {
    FixedStepClockSource source(60);
    TimeBase base;
    base.start(source);
    EXPECT_EQ(base.timerFrequency, 60);
    EXPECT_TRUE(base.usePerformanceCounter);
    EXPECT_EQ(base.timerStart, 0);
    for (int frame = 1; frame <= 120; ++frame) {
        EXPECT_EQ(base.read(source), frame / 60.0);
    }
    EXPECT_EQ(base.timerNow, 120);
    EXPECT_EQ(source.readings(), 121);

    FixedStepClockSource coarse(1000, 40);  // 25 frames a second in milliseconds
    TimeBase other;
    other.start(coarse);
    other.read(coarse);
    EXPECT_DOUBLE_EQ(other.read(coarse), 0.08);
}

TEST(Clock, CounterWithZeroFrequencyIsRefused) {
    ScriptedClockSource source;
    source.frequency = 0;
    TimeBase base;
    try {
        base.start(source);
        FAIL() << "no error";
    } catch (const CError& error) {
        EXPECT_EQ(error.message(), "Error initializing timer");
    }
    EXPECT_EQ(source.counterReadings, 0);
    EXPECT_EQ(source.tickReadings, 0);
    EXPECT_EQ(base.read(source), 0.0) << "a refused time base still reads a defined 0";
}

TEST(Clock, WithoutCounterTheTimeBaseCountsMilliseconds) {
    ScriptedClockSource source;
    source.frequency = std::nullopt;
    source.ticks = 5000;
    source.counter = 123456789;
    TimeBase base;
    base.start(source);
    EXPECT_EQ(base.timerFrequency, 1000);
    EXPECT_FALSE(base.usePerformanceCounter);
    EXPECT_EQ(base.timerStart, 5000);
    source.ticks = 5250;
    EXPECT_DOUBLE_EQ(base.read(source), 0.25);
    source.ticks = 6001;
    EXPECT_DOUBLE_EQ(base.read(source), 1.001);
    EXPECT_EQ(base.timerNow, 6001);
    EXPECT_EQ(source.counterReadings, 0);
}

TEST(Clock, NeverNegative) {
    ScriptedClockSource counter;
    counter.counter = 1000000;
    TimeBase base;
    base.start(counter);
    counter.counter = 999999;
    EXPECT_EQ(base.read(counter), 0.0);
    counter.counter = 1500000;
    EXPECT_DOUBLE_EQ(base.read(counter), 0.5);

    // A tick count that wrapped past 2^32 since the start reads as 0.
    ScriptedClockSource ticks;
    ticks.frequency = std::nullopt;
    ticks.ticks = 0xFFFFFF00u;
    TimeBase wrapped;
    wrapped.start(ticks);
    EXPECT_EQ(wrapped.timerStart, 0xFFFFFF00ll) << "widened with a zero high half";
    ticks.ticks = 0x10u;
    EXPECT_EQ(wrapped.read(ticks), 0.0);
}

TEST(Clock, BeforeTheStartTheClockReadsZeroWithoutTakingAReading) {
    ScriptedClockSource source;
    source.counter = 99999999;
    TimeBase base;
    EXPECT_EQ(base.read(source), 0.0);
    EXPECT_EQ(source.counterReadings, 0);
    EXPECT_EQ(source.tickReadings, 0);
}

TEST(Clock, DifferenceIsTakenInIntegersBeforeDividing) {
    // Near 2^62 a double cannot tell readings 3 ticks apart.
    ScriptedClockSource source;
    source.frequency = 2;
    source.counter = (std::int64_t{1} << 62) + 1;
    TimeBase base;
    base.start(source);
    source.counter += 3;
    EXPECT_EQ(base.read(source), 1.5);
}

TEST(Clock, SdlSourcesFollowTheWallClock) {
    for (bool highResolution : {true, false}) {
        SdlClockSource source(highResolution);
        TimeBase base;
        base.start(source);
        EXPECT_EQ(base.usePerformanceCounter, highResolution);
        if (highResolution) {
            EXPECT_EQ(base.timerFrequency,
                      static_cast<std::int64_t>(SDL_GetPerformanceFrequency()));
        } else {
            EXPECT_EQ(base.timerFrequency, 1000);
        }
        const double first = base.read(source);
        SDL_Delay(50);
        const double later = base.read(source);
        EXPECT_GE(first, 0.0);
        EXPECT_GE(later - first, 0.045) << "high resolution: " << highResolution;
        EXPECT_LT(later, 5.0);
    }
}

}  // namespace
