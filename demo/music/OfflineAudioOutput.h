// OfflineAudioOutput: renders only when asked, on the caller's thread, as fast
// as it can. The capture tool steps the music frame by frame with it, and the
// tests walk a module row by row without waiting for real time.
#pragma once

#include "demo/music/AudioOutput.h"

#include <vector>

class OfflineAudioOutput : public AudioOutput {
public:
    explicit OfflineAudioOutput(AudioSource& source);

    void resume() override { running = true; }
    std::uint32_t latencyFrames() const override { return 0; }
    // The last rendered frame counts as the one heard now.
    std::int64_t audibleFrame() override { return framesRendered - 1; }
    bool renderNow(float* stereo, std::size_t frames) override;

private:
    AudioSource& source;
    bool running = false;
    std::int64_t framesRendered = 0;
    std::vector<float> scratch;
};
