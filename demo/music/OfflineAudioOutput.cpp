// OfflineAudioOutput: on-demand rendering for capture and tests.
#include "demo/music/OfflineAudioOutput.h"

#include <algorithm>

namespace {
constexpr std::size_t blockFrames = 4096;
}

OfflineAudioOutput::OfflineAudioOutput(AudioSource& source)
    : source(source), scratch(blockFrames * channels) {}

bool OfflineAudioOutput::renderNow(float* stereo, std::size_t frames) {
    // A paused output hands out silence it never rendered, like a paused device.
    if (!running) {
        if (stereo != nullptr) std::fill(stereo, stereo + frames * channels, 0.0f);
        return true;
    }
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t block = stereo != nullptr ? frames - done : std::min(blockFrames, frames - done);
        source.render(stereo != nullptr ? stereo + done * channels : scratch.data(), block);
        done += block;
    }
    framesRendered += static_cast<std::int64_t>(frames);
    return true;
}
