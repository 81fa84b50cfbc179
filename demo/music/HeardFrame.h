// HeardFrame: which frame a device that plays one buffer behind the one it is
// filling has reached, from its newest callback and the time since. Plain
// arithmetic on times the caller reads, so a test can step the clock.
#pragma once

#include <cstdint>

// `firstFrame` is the first frame the newest callback filled, `sinceMicros`
// the microseconds since that callback ran, `bufferFrames` the buffer the
// device really plays (what it granted, not what was asked for).
inline std::int64_t heardFrame(std::uint32_t firstFrame, std::uint32_t sinceMicros,
                               std::uint32_t bufferFrames, int sampleRate) {
    std::int64_t elapsedFrames = static_cast<std::int64_t>(sinceMicros) * sampleRate / 1000000;
    // The buffer just filled waits behind the one playing now, so the frame
    // heard moves from one buffer before this callback's first towards it.
    // Holding there when the next callback is late (a loaded machine, SDL's
    // dummy driver) keeps the position from stepping back when it comes.
    if (elapsedFrames > bufferFrames) elapsedFrames = bufferFrames;
    return static_cast<std::int64_t>(firstFrame) - bufferFrames + elapsedFrames;
}
