// HeardFrame: which frame a device that plays one buffer behind the one it is
// filling has reached, from its newest callback and the time since. Plain
// arithmetic on times the caller reads, so a test can step the clock.
#pragma once

#include <cstdint>

// `firstFrame` is the first frame the newest callback filled, `sinceMicros`
// the microseconds since that callback ran on the device's clock (negative
// when it came early and was put later than the moment it ran),
// `bufferFrames` the buffer the device really plays (what it granted, not
// what was asked for).
inline std::int64_t heardFrame(std::uint32_t firstFrame, std::int32_t sinceMicros,
                               std::uint32_t bufferFrames, int sampleRate) {
    std::int64_t elapsedFrames = static_cast<std::int64_t>(sinceMicros) * sampleRate / 1000000;
    // The buffer just filled waits behind the one playing now, so the frame
    // heard moves from one buffer before this callback's first towards it.
    // The next callback is due when it gets there, but one put on the
    // device's clock can come a few milliseconds after that moment, so the
    // position goes on a quarter of a buffer into the one just filled (it is
    // rendered) before it holds. Holding when the next callback is later
    // still (a loaded machine, SDL's dummy driver) keeps the position from
    // running ahead and stepping back when it comes.
    const std::int64_t hold = bufferFrames + bufferFrames / 4;
    if (elapsedFrames > hold) elapsedFrames = hold;
    return static_cast<std::int64_t>(firstFrame) - bufferFrames + elapsedFrames;
}
