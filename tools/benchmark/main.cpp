// velmora_benchmark: the demo's speed, sound and memory as a viewer meets
// them, on the machine it runs on. Headless; run from the repository root
// (where data/ is). `--quick` for a run of a few minutes, `--json` for the
// figures as one JSON document, `--only a,b` for some sections.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <sstream>
#include <string>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/ChildModes.h"

namespace {

const char* const usage =
    "Usage: velmora_benchmark [--quick] [--json] [--only SECTION,...] [--frames N]\n"
    "  --quick      fewer frames, short audio and sync runs: a few minutes\n"
    "  --json       print the figures as one JSON document instead of tables\n"
    "  --only LIST  run only these sections (frames, cpu, audio, startup, memory,\n"
    "               presentation, sync)\n"
    "  --frames N   frames per stretch (default 300, quick 40)\n"
    "  --frame-hashes  print a hash of every frame of a fixed walk through the\n"
    "               stretches: equal output before and after a change proves\n"
    "               that no pixel changed\n"
    "Run from the repository root, where data/ is. No display is needed; the\n"
    "start-up section times the real program only when DISPLAY is set and\n"
    "xdotool is installed (scripts/benchmark starts an Xvfb for it).\n";

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string ownFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    return folderOf(path);
}

bool selected(const std::string& only, const char* name) {
    if (only.empty()) return true;
    std::stringstream list(only);
    for (std::string item; std::getline(list, item, ',');) {
        if (item == name) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings;
    bool json = false;
    int frames = 0;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            settings.quick = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (int status = 0; runChildMode(arg, status)) {
            return status;
        } else {
            std::fprintf(stderr, "velmora_benchmark: unknown option %s\n%s", arg.c_str(), usage);
            return 2;
        }
    }
    settings.framesPerStretch = frames > 0 ? frames : settings.quick ? 40 : 300;
    if (settings.quick) settings.audioSeconds = 8.0;
    settings.toolFolder = ownFolder();

    try {
        const Machine machine = describeMachine();
        Json document;
        document["machine"] = {{"cpu", machine.cpu},
                               {"cores", machine.cores},
                               {"gl_renderer", machine.glRenderer},
                               {"gl_version", machine.glVersion}};
        document["quick"] = settings.quick;
        if (!json) std::printf("Velmora benchmark%s\n", settings.quick ? " (quick)" : "");
        for (const Section& section : sections()) {
            if (!selected(only, section.name)) continue;
            const std::string load = loadAverage();
            Json result = section.measure(settings);
            result["load_before"] = load;
            result["machine"] = machineLine(machine, load);
            if (!json) {
                std::printf("\n[%s]\n", result["machine"].get<std::string>().c_str());
                section.print(result);
                std::fflush(stdout);
            }
            document[section.name] = result;
        }
        if (json) std::printf("%s\n", document.dump(2).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora_benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
