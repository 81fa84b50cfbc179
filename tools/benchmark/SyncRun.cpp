// SyncRun: the recorder, the busy loops and the load sampler around one run
// of the real program.
#include "tools/benchmark/SyncRun.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/benchmark/RealProgram.h"
#include "tools/benchmark/Subprocess.h"

namespace {

// Processes that only spin, ended (by their ids) when the run is.
class BusyLoops {
public:
    explicit BusyLoops(int count) {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                for (volatile unsigned long spin = 0;; spin = spin + 1) {
                }
            }
            if (pid > 0) children.push_back(pid);
        }
    }
    ~BusyLoops() {
        for (pid_t pid : children) kill(pid, SIGKILL);
        for (pid_t pid : children) waitpid(pid, nullptr, 0);
    }
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    std::vector<pid_t> children;
};

// The fourth field of /proc/loadavg ("running/total"), ten times a second.
class LoadSampler {
public:
    LoadSampler() : thread([this] { sample(); }) {}
    ~LoadSampler() { stop(); }
    double stop() {
        if (thread.joinable()) {
            running = false;
            thread.join();
        }
        return samples > 0 ? total / samples : 0.0;
    }

private:
    void sample() {
        while (running) {
            std::ifstream file("/proc/loadavg");
            std::string one, five, fifteen, tasks;
            if (file >> one >> five >> fifteen >> tasks) {
                // The sampler itself is running as it reads.
                total += std::stod(tasks.substr(0, tasks.find('/'))) - 1.0;
                ++samples;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    std::atomic<bool> running{true};
    double total = 0.0;
    int samples = 0;
    std::thread thread;
};

std::vector<PresentedLine> readFrames(const std::string& file) {
    std::vector<PresentedLine> frames;
    std::ifstream in(file);
    for (std::string text; std::getline(in, text);) {
        std::istringstream line(text);
        PresentedLine f;
        if (line >> f.presented >> f.start >> f.lead >> f.heard >> f.shown >> f.rowFrame >> f.order >> f.row) {
            frames.push_back(f);
        }
    }
    return frames;
}

std::string loadAverageNow() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

}  // namespace

SyncRecording recordRealRun(const Settings& settings, int busyLoops, unsigned stopOrder) {
    SyncRecording result;
    if (const std::string missing = realProgramMissing(settings); !missing.empty()) {
        result.failure = missing;
        return result;
    }
    if (std::getenv("PULSE_SERVER") == nullptr) {
        result.failure = "needs the private PulseAudio server scripts/benchmark starts (PULSE_SERVER)";
        return result;
    }
    const std::string stem = "/tmp/velmora-sync-" + std::to_string(getpid());
    const std::string probeFile = stem + ".jsonl";
    const std::string framesFile = stem + ".frames";
    std::remove(framesFile.c_str());
    try {
        result.sound = std::make_unique<SinkRecorder>(7.0 * 60.0);
    } catch (const std::exception& error) {
        result.failure = error.what();
        return result;
    }
    BusyLoops load(busyLoops);
    LoadSampler sampler;
    LaunchedProgram program = launchPastTheLauncher(
        settings, probeFile, {settings.toolFolder + "/libvelmora_sync_probe.so"},
        {"SDL_AUDIODRIVER=pulseaudio", "VELMORA_SYNC_FILE=" + framesFile});
    if (!program.failure.empty()) {
        result.failure = program.failure;
        return result;
    }
    if (stopOrder == 0) {
        program.process->wait();
    } else {
        // The demo is stopped as a user would (its SIGTERM path fades out).
        const double until = monotonicSeconds() + 60.0 * 10;
        while (monotonicSeconds() < until) {
            const std::vector<PresentedLine> frames = readFrames(framesFile);
            if (!frames.empty() && frames.back().order >= stopOrder && frames.back().order < 65535) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        program.process->stop();
    }
    result.meanRunnable = sampler.stop();
    result.loadAverage = loadAverageNow();
    // The fade-out and the last buffers reach the sink a little later.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    result.sound->stop();
    result.frames = readFrames(framesFile);
    std::remove(framesFile.c_str());
    std::remove(probeFile.c_str());
    if (result.frames.empty()) result.failure = "no frame was presented";
    return result;
}
