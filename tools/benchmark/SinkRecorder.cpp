// SinkRecorder: the monitor stream, read in 2 ms pieces, and the line that
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

constexpr std::size_t pieceFrames = SinkRecorder::sampleRate / 500;  // 2 ms

}  // namespace

SinkRecorder::SinkRecorder(double maxSeconds)
    : capacityFrames(static_cast<std::size_t>(maxSeconds * sampleRate)) {
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, sampleRate, channels};
    // Small fragments make the server hand the monitor's data over as soon
    // as the sink has mixed it, and ask the sink itself for a short latency.
    pa_buffer_attr attributes;
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(-1);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(pieceFrames * channels * sizeof(float));
    int error = 0;
    stream = pa_simple_new(nullptr, "velmora_benchmark", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                           "the sink as heard", &spec, nullptr, &attributes, &error);
    if (stream == nullptr) {
        throw std::runtime_error(std::string("cannot record the sink's monitor: ") + pa_strerror(error));
    }
    recorded.reserve(capacityFrames * channels);
    reads.reserve(capacityFrames / pieceFrames + 1);
    thread = std::thread([this] { record(); });
}

SinkRecorder::~SinkRecorder() {
    stop();
    if (stream != nullptr) pa_simple_free(stream);
}

void SinkRecorder::stop() {
    if (!thread.joinable()) return;
    running = false;
    thread.join();
    fitTimeLine();
}

void SinkRecorder::record() {
    // Prompt reads keep the floor of the time line sharp on a busy machine;
    // the thread sleeps between 2 ms pieces, so it takes almost nothing.
    // Where realtime scheduling is not allowed it runs as it is.
    sched_param priority{};
    priority.sched_priority = 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    float piece[pieceFrames * channels];
    while (running && recorded.size() + pieceFrames * channels <= capacityFrames * channels) {
        int error = 0;
        if (pa_simple_read(stream, piece, sizeof piece, &error) < 0) break;
        const double now = monotonicSeconds();
        recorded.insert(recorded.end(), piece, piece + pieceFrames * channels);
        reads.push_back({frames(), now});
    }
}

// The null sink mixes in blocks of its latency, which this recorder's 2 ms
// fragments set, and hands each block to the monitor as it mixes it: never
// after the block is due, and never more than one block ahead of it (when it
// wakes late it catches up only to one block ahead of now). A read returns
// when a block has arrived. So a read's offset (its time minus the frames it
// had) is never below the moment frame 0 was due minus two blocks (the block
// ahead, and the block read), and comes up to it only when the read was
// prompt and the sink a full block ahead; late reads (a busy machine) only
// raise it. The time line stands on that floor; how sharp the floor is, and
// half a block for where in its block a frame counts as played, bound the
// error of any one frame's time.
void SinkRecorder::fitTimeLine() {
    if (reads.empty()) return;
    std::vector<double> offsets;
    offsets.reserve(reads.size());
    for (const Read& read : reads) offsets.push_back(read.seconds - double(read.endFrame) / sampleRate);
    std::sort(offsets.begin(), offsets.end());
    const double floor = offsets[offsets.size() / 100];
    const double block = double(pieceFrames) / sampleRate;
    firstFrameAt = floor + 2.0 * block;
    errorBound = 0.5 * block + (offsets[offsets.size() / 20] - floor);
}
