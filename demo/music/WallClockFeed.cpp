// WallClockFeed: wall-clock pacing of a source, in blocks rendered on demand.
#include "demo/music/WallClockFeed.h"

#include <algorithm>

namespace {
constexpr std::int64_t blockFrames = 4096;
}

WallClockFeed::WallClockFeed() : scratch(static_cast<std::size_t>(blockFrames) * AudioOutput::channels) {}

void WallClockFeed::start(AudioSource& newSource, std::int64_t heardNow, std::int64_t rendered,
                          std::uint32_t leadFrames) {
    source = &newSource;
    heardAtStart = heardNow;
    framesRendered = rendered;
    lead = leadFrames;
    startTime = std::chrono::steady_clock::now();
}

std::int64_t WallClockFeed::audibleFrame() {
    if (source == nullptr) return -1;
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const std::int64_t heard =
        heardAtStart + std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
                           AudioOutput::sampleRate / 1000000;
    const std::int64_t due = heard + 1 + lead;
    while (framesRendered < due) {
        const std::int64_t block = std::min(blockFrames, due - framesRendered);
        source->render(scratch.data(), static_cast<std::size_t>(block));
        framesRendered += block;
    }
    return heard;
}
