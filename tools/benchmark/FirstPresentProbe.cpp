// FirstPresentProbe: preloaded into the real velmora (LD_PRELOAD) by the
// benchmark's start-up section, so the unmodified program reports when the
// launcher appeared (gtk_main entered), when OK let it go (gtk_main left),
// when its first frame was presented, and its memory then and at exit. Each
// event is one JSON line appended to $VELMORA_PROBE_FILE.
#include <dlfcn.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/MemoryMap.h"
#include "tools/benchmark/Subprocess.h"

namespace {

bool presented = false;

void record(const char* event, bool withMemory) {
    const char* path = std::getenv("VELMORA_PROBE_FILE");
    if (path == nullptr) return;
    Json line{{"event", event}, {"seconds", monotonicSeconds()}};
    if (withMemory) {
        line["rss_kb"] = residentKb();
        line["peak_rss_kb"] = peakResidentKb();
        line["owners_kb"] = residentByOwner();
    }
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.dump().c_str());
        std::fclose(file);
    }
}

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

struct AtExit {
    ~AtExit() { record("exit", true); }
} atExit;

}  // namespace

extern "C" {

void gtk_main() {
    record("launcher shown", false);
    static const auto real = next<void (*)()>("gtk_main");
    real();
    record("launcher closed", false);
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static const auto real = next<void (*)(SDL_Window*)>("SDL_GL_SwapWindow");
    real(window);
    if (!presented) {
        presented = true;
        record("first present", true);
    }
}
}
