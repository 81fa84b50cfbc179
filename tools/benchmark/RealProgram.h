// RealProgram: the unmodified velmora started the way a user starts it, for
// the sections that measure the real thing: under the display the benchmark
// was given, with probes preloaded that report what it does, and OK pressed
// on its launcher with xdotool.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/Subprocess.h"

// Why the real program cannot be run here, or "" when it can: it needs a
// display, xdotool and the built program beside the benchmark.
std::string realProgramMissing(const Settings& settings);

// The probe's events so far (one JSON object a line), by name.
Json probeEvents(const std::string& file);
bool waitForProbeEvent(const std::string& file, const char* event, double timeoutSeconds);

struct LaunchedProgram {
    std::unique_ptr<Subprocess> process;
    double spawnedAt = 0.0;       // monotonic seconds
    std::string failure;          // "" when the launcher was passed
};

// Starts velmora with the first-present probe (and any further libraries
// in `preload`) writing to `probeFile`, `environment` added, and presses OK
// on the launcher until the probe sees it close.
LaunchedProgram launchPastTheLauncher(const Settings& settings, const std::string& probeFile,
                                      const std::vector<std::string>& preload,
                                      const std::vector<std::string>& environment);
