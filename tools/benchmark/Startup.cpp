// Startup: the demo's start-up two ways. In a fresh process of our own, the
// construction steps the demo takes (bitmaps, module, scenes, context, first
// frame), headless. And, given a display, the real program: launched with the
// first-present probe, OK pressed with xdotool the moment the launcher is up,
// timed from process start to the launcher plus from OK to the first present.
#include "tools/benchmark/Sections.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/benchmark/ChildModes.h"
#include "tools/benchmark/Subprocess.h"

namespace {

Json parseJson(const std::string& text) {
    return text.empty() ? Json() : Json::parse(text, nullptr, false);
}

bool runnable(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

bool onPath(const char* program) {
    std::stringstream path(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(path, folder, ':');) {
        if (runnable(folder + "/" + program)) return true;
    }
    return false;
}

// The probe's events so far, by name.
Json probeEvents(const std::string& file) {
    Json events = Json::object();
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const Json event = Json::parse(line, nullptr, false);
        if (event.is_object()) events[event["event"].get<std::string>()] = event;
    }
    return events;
}

bool waitFor(const std::string& file, const char* event, double timeoutSeconds) {
    const double until = monotonicSeconds() + timeoutSeconds;
    while (monotonicSeconds() < until) {
        if (probeEvents(file).contains(event)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void pressOk(pid_t pid, const std::string& display) {
    const std::string p = std::to_string(pid);
    Subprocess press({"/bin/sh", "-c", "export DISPLAY=" + display + "; " +
                      "w=$(xdotool search --all --onlyvisible --pid " + p +
                          " --name 'Orvak 2002 - Velmora' | head -1); "
                          "timeout 3 xdotool windowfocus --sync \"$w\" 2>/dev/null; xdotool key Return"});
    press.wait();
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

Json launchRealProgram(const Settings& settings) {
    Json run;
    const std::string display = displayForTheProgram();
    const std::string program = settings.toolFolder + "/../../velmora";
    const std::string probe = settings.toolFolder + "/libvelmora_first_present.so";
    if (display.empty() || !onPath("xdotool") || !runnable(program)) {
        run["skipped"] = "needs DISPLAY, xdotool and the velmora binary (scripts/benchmark has them)";
        return run;
    }
    const std::string file = "/tmp/velmora-probe-" + std::to_string(getpid()) + ".jsonl";
    std::remove(file.c_str());
    const double spawned = monotonicSeconds();
    Subprocess velmora({program}, {"DISPLAY=" + display, "LD_PRELOAD=" + probe,
                                   "VELMORA_PROBE_FILE=" + file, "SDL_AUDIODRIVER=dummy"});
    if (!waitFor(file, "launcher shown", 30.0)) {
        run["skipped"] = "the launcher never appeared";
        return run;
    }
    for (int attempt = 0; attempt < 20 && !probeEvents(file).contains("launcher closed"); ++attempt) {
        pressOk(velmora.pid(), display);
        waitFor(file, "launcher closed", 1.0);
    }
    if (!waitFor(file, "first present", 30.0)) {
        run["skipped"] = "no frame was presented";
        return run;
    }
    // Quick: the start-up only. Otherwise the whole run, for its memory.
    const ChildResult result = settings.quick ? velmora.stop() : velmora.wait();
    const Json events = probeEvents(file);
    std::remove(file.c_str());
    const double shown = events["launcher shown"]["seconds"];
    const double closed = events["launcher closed"]["seconds"];
    const double first = events["first present"]["seconds"];
    run["to_launcher_ms"] = (shown - spawned) * 1000.0;
    run["ok_to_first_present_ms"] = (first - closed) * 1000.0;
    run["startup_ms"] = run["to_launcher_ms"].get<double>() + run["ok_to_first_present_ms"].get<double>();
    run["at_first_present"] = events["first present"];
    if (events.contains("exit")) run["at_exit"] = events["exit"];
    run["whole_run"] = !settings.quick;
    run["wall_s"] = result.wallSeconds;
    run["cpu_percent"] = result.wallSeconds > 0 ? 100.0 * result.cpuSeconds / result.wallSeconds : 0.0;
    run["peak_rss_kb"] = (events.contains("exit") ? events["exit"] : events["first present"])["peak_rss_kb"];
    return run;
}

}  // namespace

const Json& realProgramRun(const Settings& settings) {
    static const Json run = launchRealProgram(settings);
    return run;
}

Json measureStartup(const Settings& settings) {
    Json result;
    Subprocess steps({settings.toolFolder + "/velmora_benchmark", "--startup-steps"},
                     {std::string(spawnedAtVariable) + "=" + std::to_string(monotonicSeconds())});
    result["headless"] = parseJson(steps.wait().output);
    const Json& real = realProgramRun(settings);
    result["real_program"] = real;
    return result;
}

void printStartup(const Json& r) {
    const Json& h = r["headless"];
    std::printf("Start-up, headless, in a fresh process (the demo's construction order)\n");
    std::printf("  process start to main %.1f ms; main to first frame %.1f ms "
                "(construction %.1f, first frame %.1f)\n",
                h.value("process_start_to_main_ms", 0.0), h.value("main_to_first_frame_ms", 0.0),
                h.value("construction_ms", 0.0), h.value("first_frame_ms", 0.0));
    std::printf("  module load %.1f ms; bitmaps %.2f ms (code.bmp) and %.2f ms (shit.bmp)\n",
                h.value("module_load_ms", 0.0), h.value("bitmap_code_ms", 0.0),
                h.value("bitmap_shit_ms", 0.0));
    const Json& real = r["real_program"];
    if (real.contains("skipped")) {
        std::printf("  the real program: not measured (%s)\n", real["skipped"].get<std::string>().c_str());
        return;
    }
    std::printf("  the real program: %.1f ms = %.1f ms to the launcher + %.1f ms from OK to the "
                "first present (the 2 s pause comes after it)\n",
                real["startup_ms"].get<double>(), real["to_launcher_ms"].get<double>(),
                real["ok_to_first_present_ms"].get<double>());
}
