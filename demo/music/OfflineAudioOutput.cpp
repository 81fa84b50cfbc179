// OfflineAudioOutput: on-demand rendering for capture and tests.
#include "demo/music/OfflineAudioOutput.h"

#include <algorithm>

namespace {
constexpr std::size_t blockFrames = 4096;
}

OfflineAudioOutput::OfflineAudioOutput() : scratch(blockFrames * channels) {}

void OfflineAudioOutput::connect(AudioSource& newSource) {
    source = &newSource;
    framesRendered = 0;
}

void OfflineAudioOutput::render(float* stereo, std::size_t frames) {
    // Unconnected, it hands out silence it never rendered, like a paused device.
    if (source == nullptr) {
        if (stereo != nullptr) std::fill(stereo, stereo + frames * channels, 0.0f);
        return;
    }
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t block = stereo != nullptr ? frames - done : std::min(blockFrames, frames - done);
        source->render(stereo != nullptr ? stereo + done * channels : scratch.data(), block);
        done += block;
    }
    framesRendered += static_cast<std::int64_t>(frames);
}
