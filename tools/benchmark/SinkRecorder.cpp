// SinkRecorder: the monitor stream on a threaded mainloop, and the line that
// puts its frames on the steady clock.
#include "tools/benchmark/SinkRecorder.h"

#include <pthread.h>
#include <pulse/error.h>
#include <sched.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "tools/benchmark/Subprocess.h"

namespace {

void fail(const char* what, pa_context* context) {
    throw std::runtime_error(std::string("cannot record the sink: ") + what + ": " +
                             pa_strerror(context != nullptr ? pa_context_errno(context) : PA_ERR_UNKNOWN));
}

void signalMainloop(pa_context*, void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}

void signalFromStream(pa_stream*, void* mainloop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(mainloop), 0);
}

// Prompt wake-ups keep the time line sharp on a busy machine; the thread
// sleeps between arrivals and takes almost nothing. Where realtime
// scheduling is not allowed it runs as it is.
void promptly(pa_mainloop_api*, void*) {
    sched_param priority{};
    priority.sched_priority = 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
}

}  // namespace

SinkRecorder::SinkRecorder(double maxSeconds)
    : capacitySamples(static_cast<std::size_t>(maxSeconds * sampleRate) * channels) {
    recorded.reserve(capacitySamples);
    arrivals.reserve(static_cast<std::size_t>(maxSeconds * 1000));
    mainloop = pa_threaded_mainloop_new();
    context = pa_context_new(pa_threaded_mainloop_get_api(mainloop), "velmora_benchmark");
    pa_context_set_state_callback(context, signalMainloop, mainloop);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) fail("connect", context);
    pa_threaded_mainloop_lock(mainloop);
    pa_threaded_mainloop_start(mainloop);
    pa_mainloop_api_once(pa_threaded_mainloop_get_api(mainloop), promptly, nullptr);
    while (pa_context_get_state(context) != PA_CONTEXT_READY) {
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) {
            pa_threaded_mainloop_unlock(mainloop);
            fail("connect", context);
        }
        pa_threaded_mainloop_wait(mainloop);
    }
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, sampleRate, channels};
    stream = pa_stream_new(context, "the sink as heard", &spec, nullptr);
    pa_stream_set_state_callback(stream, signalFromStream, mainloop);
    pa_stream_set_read_callback(stream, onRead, this);
    // Small fragments: the server passes each block on as the sink mixes it.
    // No latency adjustment: the sink keeps the latency the program's stream
    // asks for.
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = attributes.prebuf = attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(sampleRate / 1000 * channels * sizeof(float));
    if (pa_stream_connect_record(stream, "@DEFAULT_MONITOR@", &attributes, PA_STREAM_NOFLAGS) < 0) {
        pa_threaded_mainloop_unlock(mainloop);
        fail("monitor", context);
    }
    while (pa_stream_get_state(stream) != PA_STREAM_READY) {
        if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
            pa_threaded_mainloop_unlock(mainloop);
            fail("monitor", context);
        }
        pa_threaded_mainloop_wait(mainloop);
    }
    pa_threaded_mainloop_unlock(mainloop);
}

SinkRecorder::~SinkRecorder() {
    stop();
    if (mainloop != nullptr) pa_threaded_mainloop_stop(mainloop);
    if (stream != nullptr) pa_stream_unref(stream);
    if (context != nullptr) {
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
    if (mainloop != nullptr) pa_threaded_mainloop_free(mainloop);
}

void SinkRecorder::stop() {
    if (stopped) return;
    pa_threaded_mainloop_lock(mainloop);
    stopped = true;
    pa_stream_disconnect(stream);
    pa_threaded_mainloop_unlock(mainloop);
    fitTimeLine();
}

void SinkRecorder::onRead(pa_stream* stream, std::size_t, void* user) {
    auto* self = static_cast<SinkRecorder*>(user);
    const double now = monotonicSeconds();
    const std::int64_t first = self->frames();
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        const std::size_t samples = bytes / sizeof(float);
        if (!self->stopped && self->recorded.size() + samples <= self->capacitySamples) {
            // A hole (data null) is silence the monitor never had.
            if (data != nullptr) {
                const auto* floats = static_cast<const float*>(data);
                self->recorded.insert(self->recorded.end(), floats, floats + samples);
            } else {
                self->recorded.insert(self->recorded.end(), samples, 0.0f);
            }
        }
        pa_stream_drop(stream);
    }
    if (self->frames() > first) self->arrivals.push_back({first, now});
}

// The null sink mixes a block when its clock reaches the block's first frame
// and hands it to the monitor at once; the server passes it on in small
// fragments, which may arrive together or one by one. So an arrival's first
// frame was due no later than the arrival (never later: only a late wake-up,
// of the sink or of this thread, makes an arrival late), and exactly then
// when it begins a block and nobody woke late. Against the frame count the
// arrivals thus lie below a line they touch at each prompt block start: the
// time line runs along that top edge (the 90th percentile, past the rare
// late wake-ups), and the spread just under the edge bounds its error.
void SinkRecorder::fitTimeLine() {
    if (arrivals.empty()) return;
    std::vector<double> offsets;
    offsets.reserve(arrivals.size());
    for (const Arrival& arrival : arrivals) offsets.push_back(arrival.seconds - double(arrival.firstFrame) / sampleRate);
    std::sort(offsets.begin(), offsets.end());
    const double edge = offsets[offsets.size() * 9 / 10];
    firstFrameAt = edge;
    errorBound = std::max(offsets[offsets.size() * 99 / 100] - edge, edge - offsets[offsets.size() * 3 / 4]);
}
