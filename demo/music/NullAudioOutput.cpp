// NullAudioOutput: renders lazily, when the position is asked for, exactly as
// many frames as wall-clock time since connect calls for, and discards them.
#include "demo/music/NullAudioOutput.h"

void NullAudioOutput::connect(AudioSource& source) {
    offline.connect(source);
    connected = true;
    startTime = std::chrono::steady_clock::now();
}

void NullAudioOutput::disconnect() noexcept {
    offline.disconnect();
    connected = false;
}

std::int64_t NullAudioOutput::audibleFrame() {
    if (!connected) return -1;
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const std::int64_t due =
        std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * sampleRate / 1000000;
    const std::int64_t rendered = offline.audibleFrame() + 1;
    if (due > rendered) offline.render(nullptr, static_cast<std::size_t>(due - rendered));
    return offline.audibleFrame();
}
