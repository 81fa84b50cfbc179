// WallClockFeed: plays a source by the wall clock alone, rendering it on the
// caller's thread as far as the time passed calls for. The null output plays
// by it from the start; the SDL output falls back to it when its device stops
// calling back, so the music position goes on where the device left it.
#pragma once

#include "demo/music/AudioOutput.h"

#include <chrono>
#include <vector>

class WallClockFeed {
public:
    WallClockFeed();

    // Starts the clock now: `heardNow` is the frame heard at this moment (-1
    // for none), `rendered` how many frames the source has rendered so far,
    // and the source is kept `leadFrames` ahead of the frame heard.
    void start(AudioSource& source, std::int64_t heardNow, std::int64_t rendered,
               std::uint32_t leadFrames);
    void stop() noexcept { source = nullptr; }
    bool running() const { return source != nullptr; }

    // The frame heard now, after rendering (and discarding) what has become
    // due; -1 when stopped.
    std::int64_t audibleFrame();

private:
    AudioSource* source = nullptr;
    std::int64_t heardAtStart = -1;
    std::int64_t framesRendered = 0;
    std::uint32_t lead = 0;
    std::chrono::steady_clock::time_point startTime;
    std::vector<float> scratch;
};
