// WebAudioOutput: the browser's sound card — the page's AudioContext, made
// when the player presses OK (a browser starts sound only for a user's
// gesture). The music is rendered on the page's thread in blocks and each
// block is scheduled on the AudioContext's clock right after the one before,
// a quarter of a second ahead of what is heard. Which frame is heard comes
// from the context's output timestamp (the sample leaving the speakers and
// when), looked up in the schedule; the same heard time is the demo's clock.
#pragma once

#include <cstdint>
#include <vector>

#include "demo/Clock.h"
#include "demo/music/AudioOutput.h"

class WebAudioOutput : public AudioOutput {
public:
    // How far ahead of the sound heard the schedule is kept: enough for a
    // frame that comes late, little enough that a stop is not heard late.
    static constexpr std::uint32_t leadFrames = sampleRate / 4;  // 250 ms
    static constexpr std::size_t blockFrames = 2048;              // about 46 ms

    // Takes the page's AudioContext; throws CError "Error bass init" when
    // there is none or it is closed.
    WebAudioOutput();
    // Silences what is still scheduled within a few milliseconds.
    ~WebAudioOutput() override;
    WebAudioOutput(const WebAudioOutput&) = delete;
    WebAudioOutput& operator=(const WebAudioOutput&) = delete;

    void connect(AudioSource& source) override;
    void disconnect() noexcept override { source = nullptr; }
    std::uint32_t latencyFrames() const override { return leadFrames; }
    std::int64_t audibleFrame() override;
    // Nothing renders unless the page asks, so this renders and schedules
    // until `frame` is known (at most `timeoutSeconds` of sound) and
    // returns: the browser plays what is scheduled without us.
    void waitUntilHeard(const std::function<std::int64_t()>& frame, double timeoutSeconds) override;

    // Renders and schedules until the schedule reaches leadFrames past the
    // sound heard now; called on every animation frame.
    void pump();
    // Seconds of the AudioContext's clock that are being heard now; never
    // goes back.
    double heardSeconds();

private:
    void renderBlock();

    AudioSource* source = nullptr;
    std::int64_t framesRendered = 0;
    std::vector<float> interleaved;
    std::vector<float> left;
    std::vector<float> right;
};

// The demo's time base on the audio clock: microseconds of the sound heard,
// so the scenes' time and the music position come from one clock.
class AudioClockSource : public ClockSource {
public:
    explicit AudioClockSource(WebAudioOutput& output) : output(output) {}

    std::optional<std::int64_t> performanceFrequency() override { return 1000000; }
    std::int64_t performanceCounter() override;
    std::uint32_t tickCount() override;

private:
    WebAudioOutput& output;
};
