// SdlClockSource: the desktop's time base, SDL's performance counter with
// its millisecond ticks as the fallback. Apart from Clock.cpp so that a build
// without SDL (the browser's, which reads the audio clock) keeps the time
// base's arithmetic.
#include "demo/Clock.h"

#include <SDL.h>

#include <limits>

SdlClockSource::SdlClockSource(bool highResolution) : highResolution(highResolution) {
    // SDL_GetTicks counts from the timer subsystem's start; holding a
    // reference keeps that origin fixed for the demo's lifetime.
    ownsTimerSubsystem = SDL_InitSubSystem(SDL_INIT_TIMER) == 0;
}

SdlClockSource::~SdlClockSource() {
    if (ownsTimerSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_TIMER);
    }
}

std::optional<std::int64_t> SdlClockSource::performanceFrequency() {
    if (!highResolution) {
        return std::nullopt;
    }
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    if (frequency > static_cast<Uint64>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(frequency);
}

std::int64_t SdlClockSource::performanceCounter() {
    return static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

std::uint32_t SdlClockSource::tickCount() {
    return SDL_GetTicks();
}
