// sceneshots: plays the demo's timeline on a fixed-step clock against a
// simulated song, in a real GL window, and saves the presented frame at one
// representative moment of each scene as <outdir>/<scene>.bmp.
#include "demo/Timeline.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"
#include "shell/CError.h"
#include "tools/sceneshots/ShotWindow.h"
#include "tools/sceneshots/SongPosition.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

struct Shot {
    const char* name;
    unsigned order;
    unsigned row;
};

// One moment per scene, away from the beat flashes so the objects show.
const std::vector<Shot> shots = {
    {"intro", 3, 16},           // spheres tumbling since order 2
    {"pulsing-sphere", 8, 34},  // between the beats of rows 20 and 45
    {"cube-star", 11, 32},
    {"torus", 20, 32},          // wobble and tumble on, before the overlay
    {"torus-overlay", 25, 8},   // the cube star drawn over the tunnel
    {"cube-grid", 34, 0},
};

struct Options {
    std::string outDir;
    bool visible = false;
    double fps = 30.0;
    double rowSeconds = 0.06;  // speed 3 at tempo 125
};

void usage() {
    std::fprintf(stderr,
                 "usage: sceneshots <outdir> [--show] [--fps N] [--row-seconds S]\n"
                 "Reads data/code.bmp and data/shit.bmp from the working directory and\n"
                 "writes one .bmp per scene into <outdir>.\n");
}

bool parse(int argc, char** argv, Options& options) {
    if (argc < 2 || argv[1][0] == '-') return false;
    options.outDir = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--show") options.visible = true;
        else if (arg == "--fps" && i + 1 < argc) options.fps = std::atof(argv[++i]);
        else if (arg == "--row-seconds" && i + 1 < argc) options.rowSeconds = std::atof(argv[++i]);
        else return false;
    }
    return options.fps > 0.0 && options.rowSeconds > 0.0;
}

int run(const Options& options) {
    ShotWindow window(options.visible);
    // Built in the demo's member order; the cube grid scene loads the bitmaps.
    TorusScene torusScene;
    PulsingSphereScene pulsingSphereScene;
    IntroScene introScene;
    CubeStarScene cubeStarScene;
    CubeGridScene cubeGridScene;

    SongPosition song(options.rowSeconds);
    double now = 0.0;
    std::size_t nextShot = 0;
    int flatPictures = 0;
    Timeline timeline(introScene, pulsingSphereScene, cubeStarScene, torusScene,
                      cubeGridScene, song, [&now] { return now; }, [&] {
                          // Only presented frames are saved: warm-up frames never show.
                          if (nextShot < shots.size() &&
                              now >= song.secondsAt(shots[nextShot].order, shots[nextShot].row)) {
                              const std::string path =
                                  options.outDir + "/" + shots[nextShot].name + ".bmp";
                              const bool showsSomething = window.saveBackBuffer(path);
                              std::printf("%s at order %u row %u (%.2f s)%s\n", path.c_str(),
                                          song.order(), song.row(), now,
                                          showsSomething ? "" : ": FLAT, nothing drawn?");
                              if (!showsSomething) ++flatPictures;
                              ++nextShot;
                          }
                          window.present();
                      });

    for (long frame = 0; nextShot < shots.size(); ++frame) {
        now = double(frame) / options.fps;
        song.seek(now);
        SDL_PumpEvents();
        if (timeline.renderFrame()) break;
    }
    if (nextShot < shots.size()) {
        std::fprintf(stderr, "sceneshots: the demo ended before %s\n", shots[nextShot].name);
        return 1;
    }
    return flatPictures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage();
        return 2;
    }
    try {
        return run(options);
    } catch (const CError& error) {
        std::fprintf(stderr, "sceneshots: %s\n", error.message().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sceneshots: %s\n", error.what());
    }
    return 1;
}
