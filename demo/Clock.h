// Clock: where the demo's time base gets its readings. The demo keeps the
// frequency, start and last reading itself; a ClockSource supplies the raw
// values — the SDL performance counter in the program, a fixed step per
// reading for captures and tests, or values a test sets by hand.
#pragma once

#include <cstdint>
#include <optional>

class ClockSource {
public:
    virtual ~ClockSource() = default;
    // Ticks per second of the high-resolution counter, or nothing when there
    // is no such counter (the time base then falls back to milliseconds).
    virtual std::optional<std::int64_t> performanceFrequency() = 0;
    virtual std::int64_t performanceCounter() = 0;
    // Milliseconds; wraps around at 2^32 like the tick count it replaces.
    virtual std::uint32_t tickCount() = 0;
};

// The real time base: SDL_GetPerformanceFrequency / SDL_GetPerformanceCounter,
// or SDL_GetTicks when built with highResolution = false.
class SdlClockSource : public ClockSource {
public:
    explicit SdlClockSource(bool highResolution = true);
    ~SdlClockSource() override;
    SdlClockSource(const SdlClockSource&) = delete;
    SdlClockSource& operator=(const SdlClockSource&) = delete;

    std::optional<std::int64_t> performanceFrequency() override;
    std::int64_t performanceCounter() override;
    std::uint32_t tickCount() override;

private:
    bool highResolution;
    bool ownsTimerSubsystem = false;
};

// Every counter reading is `ticksPerReading` ahead of the one before, the
// first being 0: with (60, 1) the clock reads exactly 1/60 s more per frame,
// whatever the machine's speed.
class FixedStepClockSource : public ClockSource {
public:
    explicit FixedStepClockSource(std::int64_t ticksPerSecond, std::int64_t ticksPerReading = 1);

    std::optional<std::int64_t> performanceFrequency() override;
    std::int64_t performanceCounter() override;
    std::uint32_t tickCount() override;

    std::int64_t readings() const { return readingCount; }

private:
    std::int64_t ticksPerSecond;
    std::int64_t ticksPerReading;
    std::int64_t readingCount = 0;
};

// Hands out whatever the test put into its fields; counts the readings.
class ScriptedClockSource : public ClockSource {
public:
    std::optional<std::int64_t> performanceFrequency() override { return frequency; }
    std::int64_t performanceCounter() override {
        ++counterReadings;
        return counter;
    }
    std::uint32_t tickCount() override {
        ++tickReadings;
        return ticks;
    }

    std::optional<std::int64_t> frequency = 1000000;
    std::int64_t counter = 0;
    std::uint32_t ticks = 0;
    int counterReadings = 0;
    int tickReadings = 0;
};

// Starts a time base from `source`: the frequency (1000 for the millisecond
// fallback), which reading to use, and the start reading. Throws
// CError("Error initializing timer") for a counter of frequency 0.
void startTimeBase(ClockSource& source, std::int64_t& timerFrequency,
                   std::int64_t& timerStart, bool& usePerformanceCounter);

// Takes a reading into timerNow and returns the seconds since timerStart;
// 0 for a reading below the start (a wrapped tick count) and for a time base
// that has not been started (frequency 0).
double readTimeBase(ClockSource& source, std::int64_t& timerNow, std::int64_t timerStart,
                    std::int64_t timerFrequency, bool usePerformanceCounter);
