// RealProgram: starting velmora with its probes and getting it past the
// launcher.
#include "tools/benchmark/RealProgram.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

bool runnable(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

bool onPath(const char* program) {
    std::stringstream path(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(path, folder, ':');) {
        if (runnable(folder + "/" + program)) return true;
    }
    return false;
}

// The display for the real program: scripts/benchmark hands its Xvfb over in
// VELMORA_BENCHMARK_DISPLAY and keeps DISPLAY unset, so that the headless
// sections stay on the offscreen driver.
std::string displayForTheProgram() {
    for (const char* name : {"VELMORA_BENCHMARK_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "";
}

std::string programPath(const Settings& settings) { return settings.toolFolder + "/../../velmora"; }

void pressOk(pid_t pid, const std::string& display) {
    const std::string p = std::to_string(pid);
    Subprocess press({"/bin/sh", "-c", "export DISPLAY=" + display + "; " +
                      "w=$(xdotool search --all --onlyvisible --pid " + p +
                          " --name 'Orvak 2002 - Velmora' | head -1); "
                          "timeout 3 xdotool windowfocus --sync \"$w\" 2>/dev/null; xdotool key Return"});
    press.wait();
}

}  // namespace

std::string realProgramMissing(const Settings& settings) {
    if (displayForTheProgram().empty() || !onPath("xdotool") || !runnable(programPath(settings))) {
        return "needs DISPLAY, xdotool and the velmora binary (scripts/benchmark has them)";
    }
    return "";
}

Json probeEvents(const std::string& file) {
    Json events = Json::object();
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const Json event = Json::parse(line, nullptr, false);
        if (event.is_object()) events[event["event"].get<std::string>()] = event;
    }
    return events;
}

bool waitForProbeEvent(const std::string& file, const char* event, double timeoutSeconds) {
    const double until = monotonicSeconds() + timeoutSeconds;
    while (monotonicSeconds() < until) {
        if (probeEvents(file).contains(event)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

LaunchedProgram launchPastTheLauncher(const Settings& settings, const std::string& probeFile,
                                      const std::vector<std::string>& preload,
                                      const std::vector<std::string>& environment) {
    LaunchedProgram launched;
    const std::string display = displayForTheProgram();
    std::string libraries = settings.toolFolder + "/libvelmora_first_present.so";
    for (const std::string& library : preload) libraries += ":" + library;
    std::vector<std::string> env = {"DISPLAY=" + display, "LD_PRELOAD=" + libraries,
                                    "VELMORA_PROBE_FILE=" + probeFile};
    env.insert(env.end(), environment.begin(), environment.end());
    std::remove(probeFile.c_str());
    launched.spawnedAt = monotonicSeconds();
    launched.process = std::make_unique<Subprocess>(std::vector<std::string>{programPath(settings)}, env);
    if (!waitForProbeEvent(probeFile, "launcher shown", 30.0)) {
        launched.failure = "the launcher never appeared";
        return launched;
    }
    for (int attempt = 0; attempt < 20 && !probeEvents(probeFile).contains("launcher closed"); ++attempt) {
        pressOk(launched.process->pid(), display);
        waitForProbeEvent(probeFile, "launcher closed", 1.0);
    }
    if (!probeEvents(probeFile).contains("launcher closed")) launched.failure = "OK did not close the launcher";
    return launched;
}
