// velmora_benchmark_cpu: the demo's own CPU time per frame, OpenGL left out.
// It walks every stretch through the one timeline like velmora_benchmark, but
// linked against a do-nothing GL (NoGL.cpp), and prints the per-stretch
// figures as JSON for velmora_benchmark's cpu section. It is also the binary
// to profile the demo's own code with (valgrind --tool=callgrind).
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "demo/TimelineRun.h"
#include "gfx/DataPath.h"
#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/FrameStats.h"
#include "tools/benchmark/SongMap.h"
#include "tools/commandline/CommandLine.h"

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "velmora_benchmark_cpu",
                           "Usage: velmora_benchmark_cpu [--frames N]\n"
                           "Walks every stretch of the demo through the timeline on an OpenGL that\n"
                           "does nothing and prints the demo's own CPU time per frame as JSON (for\n"
                           "velmora_benchmark's cpu section). Run from where data/ is.\n"
                           "  --frames N   frames per stretch (default 600)\n",
                           {{"--frames", true}}, 0, 0);
    const int frames = line.number("--frames", 600, 1, 1000000);
    try {
        const SongMap song(dataPath("data/Tolvane.it"));
        TimelineRun run;
        Json stretches = Json::array();
        for (const Stretch& stretch : demoStretches()) {
            std::vector<double> times;
            for (const SongRow& at : stretchFrames(song, stretch, frames)) {
                const auto begin = std::chrono::steady_clock::now();
                run.frame(at.order, at.row, at.seconds);
                const auto end = std::chrono::steady_clock::now();
                times.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
            }
            const FrameStats stats = summarize(times);
            stretches.push_back({{"stretch", stretch.name},
                                 {"frames", stats.frames},
                                 {"median_ms", stats.median},
                                 {"p99_ms", stats.p99},
                                 {"mean_ms", stats.mean},
                                 {"worst_ms", stats.worst}});
        }
        std::printf("%s\n", Json{{"stretches", stretches}}.dump().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora_benchmark_cpu: %s\n", error.what());
        return 1;
    }
    return 0;
}
