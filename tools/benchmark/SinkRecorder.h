// SinkRecorder: what the sound server plays, as a listener at the speaker
// would hear it. It records the default sink's monitor (libpulse, on a thread
// of its own) and stamps every read with the steady clock, so that a frame of
// the recording can be put on the same time line as the program's frames.
#pragma once

#include <pulse/simple.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

class SinkRecorder {
public:
    static constexpr int sampleRate = 44100;
    static constexpr int channels = 2;

    // Connects to the server named by PULSE_SERVER (or the default one) and
    // starts recording. Throws std::runtime_error when it cannot.
    explicit SinkRecorder(double maxSeconds);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Stops recording; what was recorded stays.
    void stop();

    // Interleaved stereo float frames, as the sink played them.
    const std::vector<float>& samples() const { return recorded; }
    std::int64_t frames() const { return static_cast<std::int64_t>(recorded.size()) / channels; }
    // When the sink played frame `frame` of the recording (steady clock,
    // seconds), and how far that can be off either way.
    double playedAt(double frame) const { return firstFrameAt + frame / sampleRate; }
    double errorBoundSeconds() const { return errorBound; }

private:
    void record();
    void fitTimeLine();

    struct Read {
        std::int64_t endFrame;  // frames recorded once it returned
        double seconds;
    };

    pa_simple* stream = nullptr;
    std::atomic<bool> running{true};
    std::vector<float> recorded;
    std::vector<Read> reads;
    std::size_t capacityFrames = 0;
    double firstFrameAt = 0.0;
    double errorBound = 0.0;
    std::thread thread;
};
