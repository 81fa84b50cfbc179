// NullAudioOutput: renders lazily, when the position is asked for, exactly as
// many frames as wall-clock time since connect calls for, and discards them.
#include "demo/music/NullAudioOutput.h"

#include <algorithm>

namespace {
constexpr std::int64_t blockFrames = 4096;
}

NullAudioOutput::NullAudioOutput() : scratch(static_cast<std::size_t>(blockFrames) * channels) {}

void NullAudioOutput::connect(AudioSource& newSource) {
    source = &newSource;
    startTime = std::chrono::steady_clock::now();
    framesRendered = 0;
}

std::int64_t NullAudioOutput::audibleFrame() {
    if (source == nullptr) return -1;
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const std::int64_t due =
        std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * sampleRate / 1000000;
    while (framesRendered < due) {
        const std::int64_t frames = std::min(blockFrames, due - framesRendered);
        source->render(scratch.data(), static_cast<std::size_t>(frames));
        framesRendered += frames;
    }
    return framesRendered - 1;
}
