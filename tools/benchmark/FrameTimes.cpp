// FrameTimes: the demo's stretches, then the floors, each frame timed from
// its first call to the end of glFinish.
#include "tools/benchmark/FrameTimes.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "gfx/DataPath.h"
#include "shell/HeadlessRun.h"
#include "tools/benchmark/Floors.h"
#include "tools/benchmark/SongMap.h"

double timedFrame(const std::function<void()>& frame) {
    const auto begin = std::chrono::steady_clock::now();
    frame();
    glFinish();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - begin).count();
}

Json statsJson(const FrameStats& stats) {
    return Json{{"frames", stats.frames},   {"median_ms", stats.median}, {"p95_ms", stats.p95},
                {"p99_ms", stats.p99},      {"worst_ms", stats.worst},   {"mean_ms", stats.mean},
                {"fps", stats.framesPerSecond}};
}

namespace {

std::vector<Json> demoStretchTimes(const SongMap& song, const Settings& settings) {
    HeadlessRun::Options options;
    options.width = settings.width;
    options.height = settings.height;
    HeadlessRun headless(options);
    headless.run.onPresent = [&headless] { headless.context().present(); };

    std::vector<Json> stretches;
    // One process, one pass in playing order: the scenes' run-wide state
    // (warm-up counters, frame counts) evolves as it does in the demo.
    for (const Stretch& stretch : demoStretches()) {
        std::vector<double> times;
        for (const SongRow& at : stretchFrames(song, stretch, settings.framesPerStretch)) {
            times.push_back(timedFrame([&] { headless.frame(at.order, at.row, at.seconds); }));
        }
        Json entry = statsJson(summarize(times));
        entry["stretch"] = stretch.name;
        entry["load"] = loadAverage();
        stretches.push_back(entry);
    }
    return stretches;
}

}  // namespace

Json measureFrameTimes(const Settings& settings) {
    Json result;
    result["size"] = std::to_string(settings.width) + "x" + std::to_string(settings.height);
    const SongMap song(dataPath("data/Tolvane.it"));
    result["stretches"] = demoStretchTimes(song, settings);
    for (const Stretch& stretch : demoStretches()) {
        std::vector<double> seconds;
        for (const SongRow& at : stretchFrames(song, stretch, settings.framesPerStretch)) {
            seconds.push_back(at.seconds);
        }
        const FrameStats floor = floorFrameTimes(stretch.name, song, seconds, settings);
        Json& entry = *std::find_if(result["stretches"].begin(), result["stretches"].end(),
                                    [&](const Json& s) { return s["stretch"] == stretch.name; });
        entry["floor"] = statsJson(floor);
        entry["ratio_to_floor"] = floor.median > 0.0 ? entry["median_ms"].get<double>() / floor.median : 0.0;
    }
    return result;
}

void printFrameTimes(const Json& result) {
    std::printf("Frame times through the timeline, headless %s, glFinish per frame (ms)\n",
                result["size"].get<std::string>().c_str());
    std::printf("  %-16s %6s %7s %7s %7s %7s %7s | %7s %7s | %s\n", "stretch", "frames", "median",
                "p95", "p99", "worst", "fps", "floor", "ratio", "load");
    for (const Json& s : result["stretches"]) {
        std::printf("  %-16s %6d %7.2f %7.2f %7.2f %7.2f %7.1f | %7.2f %7.2f | %s\n",
                    s["stretch"].get<std::string>().c_str(), s["frames"].get<int>(),
                    s["median_ms"].get<double>(), s["p95_ms"].get<double>(),
                    s["p99_ms"].get<double>(), s["worst_ms"].get<double>(),
                    s["fps"].get<double>(), s["floor"]["median_ms"].get<double>(),
                    s["ratio_to_floor"].get<double>(), s["load"].get<std::string>().c_str());
    }
}
