// CpuSection: runs velmora_benchmark_cpu (the timeline on a do-nothing GL)
// and shows the demo's own CPU time per frame for every stretch.
#include "tools/benchmark/Sections.h"

#include <algorithm>
#include <cstdio>

#include "tools/benchmark/Subprocess.h"

Json measureCpu(const Settings& settings) {
    Subprocess cpu({settings.toolFolder + "/velmora_benchmark_cpu", "--frames",
                    std::to_string(std::max(settings.framesPerStretch, 600))});
    const ChildResult done = cpu.wait();
    Json result = Json::parse(done.output, nullptr, false);
    if (!result.is_object() || done.status != 0) {
        throw std::runtime_error("velmora_benchmark_cpu failed (status " +
                                 std::to_string(done.status) + ")");
    }
    return result;
}

void printCpu(const Json& r) {
    std::printf("CPU outside OpenGL per frame (the timeline on a do-nothing GL), ms\n");
    std::printf("  %-16s %6s %7s %7s %7s\n", "stretch", "frames", "median", "mean", "p99");
    for (const Json& s : r["stretches"]) {
        std::printf("  %-16s %6d %7.3f %7.3f %7.3f\n", s["stretch"].get<std::string>().c_str(),
                    s["frames"].get<int>(), s["median_ms"].get<double>(),
                    s["mean_ms"].get<double>(), s["p99_ms"].get<double>());
    }
}
