// SyncRun: one run of the real program through the sound server, for the
// sync section: the sink recorded from before the program starts, every
// presented frame logged by the sync probe, and as many busy loops beside
// it as the run asks for, to see what a loaded machine does to both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/SinkRecorder.h"

// One line of the sync probe: a presented frame.
struct PresentedLine {
    double presented = 0.0;  // when the swap returned (monotonic seconds)
    double start = 0.0;      // when the frame began
    double lead = 0.0;       // seconds it aimed ahead of the sound heard then
    std::int64_t heard = -1;     // output frame heard when it began
    std::int64_t shown = -1;     // output frame it shows
    std::int64_t rowFrame = -1;  // output frame the shown row began on
    unsigned order = 0;
    unsigned row = 0;
};

struct SyncRecording {
    std::string failure;  // "" when the run happened
    std::vector<PresentedLine> frames;
    std::unique_ptr<SinkRecorder> sound;
    double meanRunnable = 0.0;  // tasks running or ready to, sampled while it played
    std::string loadAverage;    // at the end
};

// Plays the demo from the launcher until its own end, or until the music
// has reached `stopOrder` (0: the end), with `busyLoops` processes spinning.
SyncRecording recordRealRun(const Settings& settings, int busyLoops, unsigned stopOrder);
