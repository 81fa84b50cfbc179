// velmora_benchmark_webgl: the web layer's CPU time per frame, natively. It
// walks every stretch through the one timeline like velmora_benchmark_cpu,
// but linked against the web layer (no libGL at all) on an OpenGL ES 3
// context of Mesa's llvmpipe. --es null puts the layer on an ES that does
// nothing (the layer's own work and the demo's), --es none on no renderer at
// all (the GL state model and the demo's). Prints JSON with --json.
#include <SDL.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "demo/InitialGLState.h"
#include "demo/TimelineRun.h"
#include "gfx/DataPath.h"
#include "shell/HeadlessContext.h"
#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/FrameStats.h"
#include "tools/benchmark/NullGles.h"
#include "tools/benchmark/SongMap.h"
#include "tools/commandline/CommandLine.h"
#include "webgl/Layer.h"

namespace {

const char* const usage =
    "Usage: velmora_benchmark_webgl [--frames N] [--es llvmpipe|null|none] [--json]\n"
    "  --frames N  frames per stretch (default 200)\n"
    "  --es        what the web layer draws with: Mesa's llvmpipe (default), an ES\n"
    "              that does nothing, or no renderer (the GL state model only)\n"
    "  --json      print the figures as JSON\n"
    "Run from the repository root, where data/ is. No display is needed.\n";

double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// SDL's video and an ES 3.0 context (what WebGL 2 offers), no display needed.
struct EsContext {
    EsContext() {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0')
            SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_DEFAULT);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            throw std::runtime_error(std::string("SDL_InitSubSystem: ") + SDL_GetError());
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
        context = std::make_unique<HeadlessContext>(640, 461);
    }
    ~EsContext() {
        context.reset();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::unique_ptr<HeadlessContext> context;
};

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "velmora_benchmark_webgl", usage,
                           {{"--frames", true}, {"--es", true}, {"--json", false}}, 0, 0);
    const int frames = line.number("--frames", 200, 1, 1000000);
    const std::string es = line.value("--es", "llvmpipe");
    const bool json = line.has("--json");
    if (es != "llvmpipe" && es != "null" && es != "none") line.refuse("unknown --es " + es);
    try {
        std::unique_ptr<EsContext> context;
        std::unique_ptr<webgl::Layer> layer;
        // With no layer attached the names drive the detached model alone.
        if (es == "null") {
            layer = std::make_unique<webgl::Layer>(nullGlesApi());
        } else if (es == "llvmpipe") {
            context = std::make_unique<EsContext>();
            layer = std::make_unique<webgl::Layer>(webgl::GlesApi::load(SDL_GL_GetProcAddress));
        }
        if (layer) webgl::attach(layer.get());
        applyInitialGLState();
        applyWindowProjection(640, 461);
        const SongMap song(dataPath("data/Tolvane.it"));
        TimelineRun run;
        Json stretches = Json::array();
        for (const Stretch& stretch : demoStretches()) {
            std::vector<double> times;
            const long drawsBefore = layer ? layer->renderer().draws() : 0;
            const long long bytesBefore = layer ? layer->renderer().uploadedBytes() : 0;
            for (const SongRow& at : stretchFrames(song, stretch, frames)) {
                const double begin = threadMilliseconds();
                run.frame(at.order, at.row, at.seconds);
                glFinish();
                times.push_back(threadMilliseconds() - begin);
            }
            const FrameStats stats = summarize(times);
            const double n = stats.frames > 0 ? stats.frames : 1;
            stretches.push_back(
                {{"stretch", stretch.name},
                 {"frames", stats.frames},
                 {"median_ms", stats.median},
                 {"p99_ms", stats.p99},
                 {"mean_ms", stats.mean},
                 {"draws_per_frame", layer ? (layer->renderer().draws() - drawsBefore) / n : 0.0},
                 {"upload_kb_per_frame",
                  layer ? (layer->renderer().uploadedBytes() - bytesBefore) / n / 1024.0 : 0.0}});
        }
        webgl::attach(nullptr);
        const Json result{{"es", es}, {"stretches", stretches}};
        if (json) {
            std::printf("%s\n", result.dump().c_str());
            return 0;
        }
        std::printf("Main-thread CPU per frame through the web layer (ES: %s), ms\n", es.c_str());
        std::printf("  %-16s %6s %7s %7s %7s %7s %9s\n", "stretch", "frames", "median", "mean",
                    "p99", "draws", "upload KB");
        for (const Json& s : stretches)
            std::printf("  %-16s %6d %7.3f %7.3f %7.3f %7.1f %9.1f\n",
                        s["stretch"].get<std::string>().c_str(), s["frames"].get<int>(),
                        s["median_ms"].get<double>(), s["mean_ms"].get<double>(),
                        s["p99_ms"].get<double>(), s["draws_per_frame"].get<double>(),
                        s["upload_kb_per_frame"].get<double>());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora_benchmark_webgl: %s\n", error.what());
        return 1;
    }
    return 0;
}
