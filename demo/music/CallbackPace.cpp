// CallbackPace: the newest callback's lateness against each recent one.
#include "demo/music/CallbackPace.h"

#include <algorithm>

std::uint32_t CallbackPace::onTime(std::uint32_t firstFrame, std::uint32_t micros, int sampleRate) {
    recent[next] = {firstFrame, micros};
    next = (next + 1) % window;
    count = std::min(count + 1, window);
    // How late the newest is by each recent callback's reckoning, its own
    // (zero) included.
    std::array<std::int64_t, window> lateness{};
    for (std::size_t i = 0; i < count; ++i) {
        const Callback& earlier = recent[i];
        // Unsigned differences survive both counters wrapping.
        const auto frames = static_cast<std::int64_t>(static_cast<std::uint32_t>(firstFrame - earlier.firstFrame));
        const auto elapsed = static_cast<std::int64_t>(static_cast<std::uint32_t>(micros - earlier.micros));
        lateness[i] = elapsed - frames * 1000000 / sampleRate;
    }
    // A quarter cut off at each end leaves out the wake-ups a loaded machine
    // delays; averaging the rest, rather than taking the middle one, keeps
    // callbacks that alternate early and late on one line (the middle one
    // would flip between the two groups).
    const auto first = lateness.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(count);
    std::sort(first, last);
    const std::size_t cut = count / 4;
    std::int64_t sum = 0;
    for (auto it = first + static_cast<std::ptrdiff_t>(cut); it != last - static_cast<std::ptrdiff_t>(cut); ++it) {
        sum += *it;
    }
    const auto kept = static_cast<std::int64_t>(count - 2 * cut);
    return micros - static_cast<std::uint32_t>(sum / kept);
}
