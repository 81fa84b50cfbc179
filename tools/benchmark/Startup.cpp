// Startup: the demo's start-up two ways. In a fresh process of our own, the
// construction steps the demo takes (bitmaps, module, scenes, context, first
// frame), headless. And, given a display, the real program: launched with the
// first-present probe, OK pressed with xdotool the moment the launcher is up,
// timed from process start to the launcher plus from OK to the first present.
#include "tools/benchmark/Sections.h"

#include <unistd.h>

#include <cstdio>

#include "tools/benchmark/ChildModes.h"
#include "tools/benchmark/RealProgram.h"
#include "tools/benchmark/Subprocess.h"

namespace {

Json parseJson(const std::string& text) {
    return text.empty() ? Json() : Json::parse(text, nullptr, false);
}

Json launchRealProgram(const Settings& settings) {
    Json run;
    if (const std::string missing = realProgramMissing(settings); !missing.empty()) {
        run["skipped"] = missing;
        return run;
    }
    const std::string file = "/tmp/velmora-probe-" + std::to_string(getpid()) + ".jsonl";
    LaunchedProgram launched =
        launchPastTheLauncher(settings, file, {}, {"SDL_AUDIODRIVER=dummy"});
    if (!launched.failure.empty()) {
        run["skipped"] = launched.failure;
        return run;
    }
    if (!waitForProbeEvent(file, "first present", 30.0)) {
        run["skipped"] = "no frame was presented";
        return run;
    }
    // Quick: the start-up only. Otherwise the whole run, for its memory.
    const ChildResult result = settings.quick ? launched.process->stop() : launched.process->wait();
    const Json events = probeEvents(file);
    std::remove(file.c_str());
    const double shown = events["launcher shown"]["seconds"];
    const double closed = events["launcher closed"]["seconds"];
    const double first = events["first present"]["seconds"];
    run["to_launcher_ms"] = (shown - launched.spawnedAt) * 1000.0;
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
