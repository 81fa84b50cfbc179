// velmora_benchmark: shows the demo's speed and memory goals with numbers.
// Per scene it times whole frames of the one timeline in a real Mesa context
// (a music position stepped by hand, a fixed 60 Hz clock), and it counts the
// heap allocations made by the per-frame CPU work of the animated objects,
// which must be none: all geometry is allocated once, at construction.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "demo/music/MusicPosition.h"
#include "demo/Timeline.h"
#include "objects/PulsingSphere.h"
#include "objects/WobbleTorus.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"

namespace {

std::atomic<long> allocationCount{0};

class SteppedMusic : public MusicPosition {
public:
    unsigned order() override { return currentOrder; }
    unsigned row() override { return currentRow; }
    unsigned currentOrder = 0;
    unsigned currentRow = 0;
};

// Only what the benchmark needs of a window: SDL video, a hidden window and a
// current context, released in reverse order.
class BenchmarkContext {
public:
    BenchmarkContext() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("SDL_Init");
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window = SDL_CreateWindow("velmora benchmark", 0, 0, 640, 461,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window == nullptr) fail("SDL_CreateWindow");
        context = SDL_GL_CreateContext(window);
        if (context == nullptr) fail("SDL_GL_CreateContext");
        SDL_GL_SetSwapInterval(0);
        // The demo's initial state and first resize.
        glClearColor(1, 1, 1, 0);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_DEPTH_TEST);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        glViewport(0, 0, 640, 461);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 640.0 / 461.0, 0.1, 10000.0);
    }
    ~BenchmarkContext() {
        if (context != nullptr) SDL_GL_DeleteContext(context);
        if (window != nullptr) SDL_DestroyWindow(window);
        SDL_Quit();
    }
    BenchmarkContext(const BenchmarkContext&) = delete;
    BenchmarkContext& operator=(const BenchmarkContext&) = delete;

private:
    [[noreturn]] static void fail(const char* what) {
        std::fprintf(stderr, "velmora_benchmark: %s failed: %s\n", what, SDL_GetError());
        std::exit(1);
    }
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

template <typename Work>
double millisecondsPerCall(int calls, Work work) {
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) work(i);
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - begin).count() / calls;
}

void objectAnimation() {
    PulsingSphere sphere;
    WobbleTorus torus(1.0f, 3.0f, 128, 3.0f, 40.0f);
    const int calls = 500;
    const long before = allocationCount.load();
    const double sphereMs = millisecondsPerCall(calls, [&](int i) { sphere.animate(i * 0.1f); });
    const double torusMs = millisecondsPerCall(calls, [&](int i) { torus.animate(i * 0.6f); });
    const long allocations = allocationCount.load() - before;
    std::printf("%-34s %10.3f ms\n", "PulsingSphere::animate (1600 pts)", sphereMs);
    std::printf("%-34s %10.3f ms\n", "WobbleTorus::animate (5120 verts)", torusMs);
    std::printf("%-34s %10ld\n", "heap allocations in those calls", allocations);
}

void sceneFrames(int framesPerScene) {
    BenchmarkContext context;
    IntroScene intro;
    PulsingSphereScene pulsingSphere;
    CubeStarScene cubeStar;
    TorusScene torus;
    CubeGridScene cubeGrid;
    SteppedMusic music;
    long frame = 0;
    Timeline timeline(intro, pulsingSphere, cubeStar, torus, cubeGrid, music,
                      [&] { return frame / 60.0; }, [] { glFinish(); });

    struct Stretch {
        const char* name;
        unsigned order;
    };
    const Stretch stretches[] = {{"intro (order 2)", 2},          {"pulsing sphere (order 6)", 6},
                                 {"cube star (order 11)", 11},    {"torus (order 18)", 18},
                                 {"torus + overlay (order 24)", 24}, {"cube grid (order 31)", 31}};
    for (const Stretch& stretch : stretches) {
        music.currentOrder = stretch.order;
        music.currentRow = 1;
        for (int i = 0; i < 3; ++i, ++frame) timeline.renderFrame();  // start and warm-up
        const double ms = millisecondsPerCall(framesPerScene, [&](int) {
            music.currentRow = static_cast<unsigned>(1 + frame % 60);
            timeline.renderFrame();
            ++frame;
        });
        std::printf("%-34s %10.3f ms  (%6.1f frames/s)\n", stretch.name, ms, 1000.0 / ms);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

int main(int argc, char** argv) {
    const int framesPerScene = argc > 1 ? std::atoi(argv[1]) : 60;
    std::printf("Velmora benchmark (run from the repository root, where data/ is)\n\n");
    std::printf("Per-frame CPU work of the animated objects, per call:\n");
    objectAnimation();
    std::printf("\nWhole frames through the timeline, Mesa, 640 x 461, per frame:\n");
    sceneFrames(framesPerScene > 0 ? framesPerScene : 60);
    return 0;
}
