// SinkRecorder: what the sound server plays, as a listener at the speaker
// would hear it. It records the default sink's monitor (libpulse, on the
// thread of a mainloop of its own) and stamps every arrival with the steady
// clock, so that a frame of the recording can be put on the same time line as
// the program's frames. It asks the sink for no latency of its own: the
// program's stream alone decides how the sink runs, as with one program
// playing on a desktop.
#pragma once

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <cstdint>
#include <vector>

class SinkRecorder {
public:
    static constexpr int sampleRate = 44100;
    static constexpr int channels = 2;

    // Connects to the server named by PULSE_SERVER (or the default one) and
    // starts recording, at most `maxSeconds`. Throws std::runtime_error.
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
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);
    void fitTimeLine();

    struct Arrival {
        std::int64_t firstFrame;  // of the data that arrived
        double seconds;
    };

    pa_threaded_mainloop* mainloop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    bool stopped = false;
    std::vector<float> recorded;
    std::vector<Arrival> arrivals;
    std::size_t capacitySamples = 0;
    double firstFrameAt = 0.0;
    double errorBound = 0.0;
};
