// ChildModes: the in-process start-up steps (the demo's construction order,
// headless) and a whole headless run for the memory figures.
#include "tools/benchmark/ChildModes.h"

#include <GL/gl.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "demo/Cues.h"
#include "demo/music/MusicPlayer.h"
#include "demo/music/OfflineAudioOutput.h"
#include "gfx/BitmapImage.h"
#include "gfx/DataPath.h"
#include "shell/HeadlessRun.h"
#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/MemoryMap.h"
#include "tools/benchmark/SongMap.h"
#include "tools/benchmark/Subprocess.h"

namespace {

double millisecondsOf(const std::function<void()>& step) {
    const double begin = monotonicSeconds();
    step();
    return (monotonicSeconds() - begin) * 1000.0;
}

int startupSteps(double mainEntered) {
    Json steps;
    if (const char* spawned = std::getenv(spawnedAtVariable)) {
        steps["process_start_to_main_ms"] = (mainEntered - std::atof(spawned)) * 1000.0;
    }
    steps["bitmap_code_ms"] = millisecondsOf([] {
        BitmapImage image;
        image.load(dataPath("data/code.bmp"));
    });
    steps["bitmap_shit_ms"] = millisecondsOf([] {
        BitmapImage image;
        image.load(dataPath("data/shit.bmp"));
    });
    steps["module_load_ms"] = millisecondsOf([] {
        OfflineAudioOutput output;
        MusicPlayer player(dataPath("data/Tolvane.it"), output);
    });
    // The demo's order: scenes (with the bitmaps), the music, the context
    // and its initial state, then the first frame (the intro at time 0).
    const double begin = monotonicSeconds();
    HeadlessRun::Options options;
    options.playModule = true;
    options.width = 640;
    options.height = 461;
    std::unique_ptr<HeadlessRun> run;
    steps["construction_ms"] = millisecondsOf([&] { run = std::make_unique<HeadlessRun>(options); });
    steps["first_frame_ms"] = millisecondsOf([&] {
        run->frame(0, 0, 0.0);
        run->context().present();
        glFinish();
    });
    steps["main_to_first_frame_ms"] = (monotonicSeconds() - begin) * 1000.0;
    std::printf("%s\n", steps.dump().c_str());
    return 0;
}

// Every scene drawn, every texture made, the module loaded: the memory of a
// whole run. The positions are scripted without reading the song's timing,
// which would leave its own decoder's pages behind in the peak.
int memoryWalk(int framesPerOrder) {
    Json result;
    const long atStart = residentKb();
    HeadlessRun::Options options;
    options.width = 640;
    options.height = 461;
    HeadlessRun run(options);
    const long withContext = residentKb();
    OfflineAudioOutput output;
    MusicPlayer player(dataPath("data/Tolvane.it"), output);
    const long withModule = residentKb();
    result["start_kb"] = atStart;
    result["scenes_and_context_kb"] = withContext - atStart;
    result["module_kb"] = withModule - withContext;
    // A window's swap waits for the rasteriser (the picture is copied out);
    // the offscreen pbuffer's does not, and unfinished frames pile up in
    // llvmpipe's queue (about 1 MB a frame), so the frame is finished here.
    run.run.onPresent = [&run] {
        run.context().present();
        glFinish();
    };
    const double rowSeconds = 2.5 / 130.0 * 6.0;  // speed 6, tempo 130
    for (unsigned order = 0; order <= cues::demoEnd.order; ++order) {
        for (int k = 0; k < framesPerOrder; ++k) {
            const unsigned row = static_cast<unsigned>(64 * k / framesPerOrder);
            run.frame(order, row, (order * 64 + row) * rowSeconds);
        }
    }
    glFinish();
    result["drawing_kb"] = residentKb() - withModule;
    result["peak_rss_kb"] = peakResidentKb();
    result["rss_kb"] = residentKb();
    result["owners_kb"] = residentByOwner();
    // What is live, without the heap pages malloc keeps after frees.
    malloc_trim(0);
    result["rss_trimmed_kb"] = residentKb();
    std::printf("%s\n", result.dump().c_str());
    return 0;
}

// FNV-1a over the frame's bytes: equal pictures give equal hashes.
std::uint64_t pictureHash(const std::vector<std::uint8_t>& rgba) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : rgba) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// The proof that an optimisation changed no pixel: a fixed walk through every
// stretch, one hash per frame of the back buffer as the frame left it.
int frameHashes() {
    const SongMap song(dataPath("data/Tolvane.it"));
    HeadlessRun::Options options;
    options.width = 640;
    options.height = 461;
    HeadlessRun run(options);
    std::uint64_t all = 1469598103934665603ull;
    for (const Stretch& stretch : demoStretches()) {
        for (const SongRow& at : stretchFrames(song, stretch, 60)) {
            run.frame(at.order, at.row, at.seconds);
            const std::uint64_t hash = pictureHash(run.context().readPixels(0, 0, 640, 461));
            all = (all ^ hash) * 1099511628211ull;
            std::printf("%-16s %2u %2u %9.4f %016llx\n", stretch.name, at.order, at.row, at.seconds,
                        static_cast<unsigned long long>(hash));
        }
    }
    std::printf("all frames %016llx\n", static_cast<unsigned long long>(all));
    return 0;
}

}  // namespace

bool runChildMode(const std::string& arg, int& status) {
    const double entered = monotonicSeconds();
    if (arg == "--frame-hashes") {
        status = frameHashes();
        return true;
    }
    if (arg == "--startup-steps") {
        status = startupSteps(entered);
        return true;
    }
    if (arg.rfind("--memory-walk=", 0) == 0) {
        status = memoryWalk(std::atoi(arg.c_str() + 14));
        return true;
    }
    return false;
}
