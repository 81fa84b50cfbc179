// CallbackPace: when the newest audio callback would have run on the
// device's clock. A device asks for its buffers at the pace of its own clock,
// but the callbacks do not come on a steady beat: the sound server's requests
// add up to a buffer at uneven moments (PulseAudio's alternate early and late
// by some 13 ms), and the thread that answers wakes late on a busy machine.
// Taken at face value, each callback's time would move the estimate of the
// frame heard back and forth by that much. Set against the frames each one
// filled, the recent callbacks each say where the device's clock stands; the
// middle half of their answers, averaged, is the clock, and every callback is
// put on it, early ones as well as late ones, so the estimate moves on one
// straight line from callback to callback. Plain arithmetic on times the
// caller reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CallbackPace {
public:
    // About a second and a half of 93 ms buffers: enough callbacks for their
    // average to hold still, few enough that a device whose clock runs slow
    // against the machine's is followed within half the window.
    static constexpr std::size_t window = 16;

    // A callback filling from `firstFrame` ran at `micros` (a wrapping
    // microsecond count). Returns when it would have run on the device's
    // clock: earlier than `micros` for a late one, later for an early one.
    std::uint32_t onTime(std::uint32_t firstFrame, std::uint32_t micros, int sampleRate);
    // The frame count starts again (another source): the past says nothing.
    void reset() { count = 0; }

private:
    struct Callback {
        std::uint32_t firstFrame;
        std::uint32_t micros;
    };
    std::array<Callback, window> recent{};
    std::size_t count = 0;
    std::size_t next = 0;
};
