// Machine: the CPU model from /proc/cpuinfo, the GL renderer from a throwaway
// headless context, and the load averages of the moment.
#include "tools/benchmark/Benchmark.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "shell/HeadlessContext.h"

namespace {

std::string glString(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text != nullptr ? text : "?";
}

}  // namespace

Machine describeMachine() {
    Machine machine;
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos) machine.cpu = line.substr(colon + 2);
            break;
        }
    }
    machine.cores = static_cast<int>(std::thread::hardware_concurrency());
    HeadlessContext context(16, 16);
    machine.glRenderer = glString(GL_RENDERER);
    machine.glVersion = glString(GL_VERSION);
    return machine;
}

std::string loadAverage() {
    double load[3] = {0.0, 0.0, 0.0};
    if (getloadavg(load, 3) != 3) return "?";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

std::string machineLine(const Machine& machine, const std::string& load) {
    return machine.glRenderer + " | " + machine.cpu + ", " + std::to_string(machine.cores) +
           " cores | load " + load;
}
