// OfflineAudioOutput: renders only when its holder asks, on the holder's
// thread, as fast as it can. The capture tool steps the music frame by frame
// with it, and the tests walk a module row by row without waiting for real time.
#pragma once

#include "demo/music/AudioOutput.h"

#include <vector>

class OfflineAudioOutput : public AudioOutput {
public:
    OfflineAudioOutput();

    void connect(AudioSource& source) override;
    void disconnect() noexcept override { source = nullptr; }
    std::uint32_t latencyFrames() const override { return 0; }
    // The last rendered frame counts as the one heard now.
    std::int64_t audibleFrame() override { return framesRendered - 1; }
    void waitUntilHeard(const std::function<std::int64_t()>&, double) override {}

    // Renders `frames` stereo frames now, into `stereo` (2 floats a frame)
    // or, when it is null, into nothing. Unconnected, it gives silence and
    // counts nothing.
    void render(float* stereo, std::size_t frames);

private:
    AudioSource* source = nullptr;
    std::int64_t framesRendered = 0;
    std::vector<float> scratch;
};
