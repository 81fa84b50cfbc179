// AudioUnderLoad: the real module through SDL's audio callback (the dummy
// driver here: no sound card) while the timeline follows it and renders
// uncapped, as the demo does. Every callback is stamped on the audio thread
// into storage made beforehand; the drift of the heard position against the
// clock is read on every frame.
#include "tools/benchmark/Sections.h"

#include <GL/gl.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "demo/music/MusicPlayer.h"
#include "demo/music/SdlAudioOutput.h"
#include "gfx/DataPath.h"
#include "shell/HeadlessRun.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Callback {
    double start = 0.0;     // seconds since the probe was made
    double duration = 0.0;  // seconds spent rendering
    std::size_t frames = 0;
};

// Wraps the player's source: the output calls it, it times the real render.
class TimedSource : public AudioSource {
public:
    explicit TimedSource(std::size_t capacity) : log(capacity) {}

    void render(float* stereo, std::size_t frames) noexcept override {
        const auto begin = Clock::now();
        if (!threadSeen) {
            threadSeen = true;
            policy = sched_getscheduler(0);
            niceness = getpriority(PRIO_PROCESS, 0);
        }
        target->render(stereo, frames);
        const std::size_t index = count.load(std::memory_order_relaxed);
        if (index < log.size()) {
            log[index] = {seconds(begin), seconds(Clock::now()) - seconds(begin), frames};
            count.store(index + 1, std::memory_order_release);
        }
    }

    double seconds(Clock::time_point t) const {
        return std::chrono::duration<double>(t - made).count();
    }

    AudioSource* target = nullptr;
    std::vector<Callback> log;
    std::atomic<std::size_t> count{0};
    bool threadSeen = false;
    int policy = -1;
    int niceness = 0;
    const Clock::time_point made = Clock::now();
};

// The SDL device with the timing source slipped between it and the player.
class ProbedOutput : public AudioOutput {
public:
    explicit ProbedOutput(std::size_t capacity) : timed(capacity) {}
    void connect(AudioSource& source) override {
        timed.target = &source;
        device.connect(timed);
    }
    void disconnect() noexcept override { device.disconnect(); }
    std::uint32_t latencyFrames() const override { return device.latencyFrames(); }
    std::int64_t audibleFrame() override { return device.audibleFrame(); }

    TimedSource timed;

private:
    SdlAudioOutput device;
};

const char* policyName(int policy) {
    switch (policy & ~SCHED_RESET_ON_FORK) {
    case SCHED_OTHER: return "SCHED_OTHER";
    case SCHED_FIFO: return "SCHED_FIFO";
    case SCHED_RR: return "SCHED_RR";
    default: return "?";
    }
}

}  // namespace

Json measureAudio(const Settings& settings) {
    // No sound card here; the dummy driver paces the callbacks by itself.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    HeadlessRun::Options options;
    options.width = settings.width;
    options.height = settings.height;
    HeadlessRun headless(options);
    // A window's swap waits until the frame is drawn; the offscreen one does
    // not, and llvmpipe would pile the frames up (about 1 MB each).
    headless.run.onPresent = [&headless] {
        headless.context().present();
        glFinish();
    };
    ProbedOutput output(1 << 16);
    MusicPlayer player(dataPath("data/Tolvane.it"), output);
    headless.run.follow(player);

    player.play();
    const auto start = Clock::now();
    // The drift is taken from one second in: the device fills its queue in a
    // burst when it starts, which says nothing about keeping time.
    const double settle = 1.0;
    std::int64_t settledHeard = -1;
    double settledAt = 0.0;
    double worstDrift = 0.0;
    double lastDrift = 0.0;
    double seconds = 0.0;
    int frames = 0;
    const double limit = settings.audioSeconds > 0.0 ? settings.audioSeconds : 600.0;
    // Uncapped, like the demo's idle loop, from the first row to the demo's
    // end: every scene's load on the renderer, while the callbacks run.
    bool over = false;
    while (seconds < limit && !over) {
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        over = headless.run.frame(seconds);
        ++frames;
        const std::int64_t heard = output.audibleFrame();
        if (heard < 0 || seconds < settle) continue;
        if (settledHeard < 0) {
            settledHeard = heard;
            settledAt = seconds;
        }
        lastDrift = static_cast<double>(heard - settledHeard) / AudioOutput::sampleRate -
                    (seconds - settledAt);
        if (std::abs(lastDrift) > std::abs(worstDrift)) worstDrift = lastDrift;
    }
    const std::size_t calls = output.timed.count.load(std::memory_order_acquire);

    const double period = double(output.latencyFrames()) / AudioOutput::sampleRate;
    int late = 0;
    int overBudget = 0;
    double longest = 0.0;
    double longestGap = 0.0;
    std::size_t delivered = 0;
    for (std::size_t i = 0; i < calls; ++i) {
        const Callback& c = output.timed.log[i];
        longest = std::max(longest, c.duration);
        if (c.duration > period) ++overBudget;
        if (i > 0) {
            const double gap = c.start - output.timed.log[i - 1].start;
            longestGap = std::max(longestGap, gap);
            // SDL keeps one buffer queued behind the one playing: a device
            // runs dry when the next callback comes more than a period late.
            if (gap > 2.0 * period) ++late;
        }
        delivered += c.frames;
    }
    const double span = calls > 1 ? output.timed.log[calls - 1].start - output.timed.log[0].start : 0.0;
    Json result;
    result["seconds"] = seconds;
    result["frames_drawn"] = frames;
    result["fps"] = seconds > 0.0 ? frames / seconds : 0.0;
    result["callbacks"] = calls;
    result["buffer_ms"] = period * 1000.0;
    result["late_callbacks"] = late;
    // The driver's own pace: audio seconds asked for per second of clock.
    result["driver_pace"] = span > 0.0 ? (delivered - output.timed.log[calls - 1].frames) /
                                             double(AudioOutput::sampleRate) / span
                                       : 0.0;
    result["over_budget_callbacks"] = overBudget;
    result["longest_callback_ms"] = longest * 1000.0;
    result["longest_gap_ms"] = longestGap * 1000.0;
    result["drift_end_ms"] = lastDrift * 1000.0;
    result["drift_worst_ms"] = worstDrift * 1000.0;
    result["audio_thread"] = std::string(policyName(output.timed.policy)) + ", nice " +
                             std::to_string(output.timed.niceness);
    result["ended_at_order"] = player.order();
    return result;
}

void printAudio(const Json& r) {
    std::printf("Audio under load: the module through SDL's callback (dummy driver), the\n"
                "timeline following it uncapped for %.1f s (%d frames, %.1f frames/s)\n",
                r["seconds"].get<double>(), r["frames_drawn"].get<int>(), r["fps"].get<double>());
    std::printf("  callbacks %zu of %.1f ms; underruns (gap > 2 buffers) %d; over budget %d;"
                " driver pace %.3f x real time\n",
                r["callbacks"].get<std::size_t>(), r["buffer_ms"].get<double>(),
                r["late_callbacks"].get<int>(), r["over_budget_callbacks"].get<int>(),
                r["driver_pace"].get<double>());
    std::printf("  longest callback %.3f ms, longest gap %.1f ms; audio thread %s\n",
                r["longest_callback_ms"].get<double>(), r["longest_gap_ms"].get<double>(),
                r["audio_thread"].get<std::string>().c_str());
    std::printf("  drift of the heard position against the clock from 1 s on: %.1f ms at the end,"
                " worst %.1f ms\n",
                r["drift_end_ms"].get<double>(), r["drift_worst_ms"].get<double>());
}
