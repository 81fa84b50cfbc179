// sceneshots: plays the demo's timeline headless on a fixed-step clock
// against a simulated song of fixed-length rows, and saves the presented
// frame at one representative moment of each scene as <outdir>/<scene>.bmp.
#include "shell/CError.h"
#include "shell/HeadlessRun.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int width = 640;   // the demo's windowed client size
constexpr int height = 461;
constexpr unsigned rowsPerOrder = 64;

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
    double fps = 30.0;
    double rowSeconds = 0.06;  // speed 3 at tempo 125
};

void usage() {
    std::fprintf(stderr,
                 "usage: sceneshots <outdir> [--fps N] [--row-seconds S]\n"
                 "Reads data/code.bmp and data/shit.bmp from the working directory and\n"
                 "writes one .bmp per scene into <outdir>.\n");
}

bool parse(int argc, char** argv, Options& options) {
    if (argc < 2 || argv[1][0] == '-') return false;
    options.outDir = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--fps" && i + 1 < argc) options.fps = std::atof(argv[++i]);
        else if (arg == "--row-seconds" && i + 1 < argc) options.rowSeconds = std::atof(argv[++i]);
        else return false;
    }
    return options.fps > 0.0 && options.rowSeconds > 0.0;
}

// Writes the back buffer, top row first, and says whether it shows anything
// but one flat colour, which for any scene means something failed to draw.
bool saveBackBuffer(HeadlessContext& context, const std::string& path) {
    const std::vector<std::uint8_t> bottomUp = context.readPixels(0, 0, width, height);
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888),
        SDL_FreeSurface);
    if (!surface) throw std::runtime_error(std::string("SDL_CreateRGBSurface: ") + SDL_GetError());
    const std::size_t rowBytes = std::size_t(width) * 4;
    auto* target = static_cast<std::uint8_t*>(surface->pixels);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = target + std::size_t(y) * surface->pitch;
        std::memcpy(row, &bottomUp[std::size_t(height - 1 - y) * rowBytes], rowBytes);
        for (int x = 0; x < width; ++x) row[x * 4 + 3] = 255;  // the demo's alpha means nothing
    }
    if (SDL_SaveBMP(surface.get(), path.c_str()) != 0) {
        throw std::runtime_error("SDL_SaveBMP " + path + ": " + SDL_GetError());
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < bottomUp.size(); i += 4) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) distance += std::abs(int(bottomUp[i + c]) - int(bottomUp[c]));
        if (distance > 24) ++differing;
    }
    return differing * 100 >= std::size_t(width) * height;  // at least 1 %
}

int run(const Options& options) {
    HeadlessRun::Options runOptions;
    runOptions.width = width;
    runOptions.height = height;
    HeadlessRun headless(runOptions);
    TimelineRun& line = headless.run;

    auto secondsAt = [&](const Shot& shot) {
        return (double(shot.order) * rowsPerOrder + shot.row) * options.rowSeconds;
    };
    std::size_t nextShot = 0;
    int flatPictures = 0;
    // Only presented frames are saved: warm-up frames never show.
    line.onPresent = [&] {
        if (nextShot >= shots.size() || line.now < secondsAt(shots[nextShot])) return;
        const std::string path = options.outDir + "/" + shots[nextShot].name + ".bmp";
        const bool showsSomething = saveBackBuffer(headless.context(), path);
        std::printf("%s at order %u row %u (%.2f s)%s\n", path.c_str(), line.script.order(),
                    line.script.row(), line.now, showsSomething ? "" : ": FLAT, nothing drawn?");
        if (!showsSomething) ++flatPictures;
        ++nextShot;
    };

    for (long frame = 0; nextShot < shots.size(); ++frame) {
        const double now = double(frame) / options.fps;
        const auto rows = static_cast<unsigned>(std::floor(now / options.rowSeconds + 1e-9));
        if (line.frame(rows / rowsPerOrder, rows % rowsPerOrder, now)) break;
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
