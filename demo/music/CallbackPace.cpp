// CallbackPace: the newest callback's lateness against each recent one.
#include "demo/music/CallbackPace.h"

#include <algorithm>

std::uint32_t CallbackPace::onTime(std::uint32_t firstFrame, std::uint32_t micros, int sampleRate) {
    // How late the newest is by each recent callback's reckoning, its own
    // included; the middle one is the device's clock.
    std::array<std::int64_t, window + 1> lateness{};
    std::size_t n = 0;
    lateness[n++] = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Callback& earlier = recent[i];
        // Unsigned differences survive both counters wrapping.
        const auto frames = static_cast<std::int64_t>(static_cast<std::uint32_t>(firstFrame - earlier.firstFrame));
        const auto elapsed = static_cast<std::int64_t>(static_cast<std::uint32_t>(micros - earlier.micros));
        lateness[n++] = elapsed - frames * 1000000 / sampleRate;
    }
    recent[next] = {firstFrame, micros};
    next = (next + 1) % window;
    count = std::min(count + 1, window);
    const auto middle = lateness.begin() + static_cast<std::ptrdiff_t>(n / 2);
    std::nth_element(lateness.begin(), middle, lateness.begin() + static_cast<std::ptrdiff_t>(n));
    // An early callback keeps its own time: the frame heard never runs
    // ahead of the time the newest buffer was handed over.
    return micros - static_cast<std::uint32_t>(std::max<std::int64_t>(*middle, 0));
}
