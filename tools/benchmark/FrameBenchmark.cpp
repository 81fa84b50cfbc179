// velmora_benchmark: shows the demo's speed and memory goals with numbers.
// Per scene it times whole frames of the one timeline in a real Mesa context
// (headless, a scripted music position, a fixed 60 Hz clock), and it counts the
// heap allocations made by the per-frame CPU work of the animated objects,
// which must be none: all geometry is allocated once, at construction.
#include <GL/gl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "objects/PulsingSphere.h"
#include "objects/WobbleTorus.h"
#include "shell/HeadlessRun.h"

namespace {

std::atomic<long> allocationCount{0};

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
    HeadlessRun::Options options;
    options.width = 640;  // the windowed client size
    options.height = 461;
    HeadlessRun headless(options);
    TimelineRun& line = headless.run;
    line.onPresent = [] { glFinish(); };
    long frame = 0;

    struct Stretch {
        const char* name;
        unsigned order;
    };
    const Stretch stretches[] = {{"intro (order 2)", 2},          {"pulsing sphere (order 6)", 6},
                                 {"cube star (order 11)", 11},    {"torus (order 18)", 18},
                                 {"torus + overlay (order 24)", 24}, {"cube grid (order 31)", 31}};
    for (const Stretch& stretch : stretches) {
        for (int i = 0; i < 3; ++i, ++frame) line.frame(stretch.order, 1, frame / 60.0);  // start and warm-up
        const double ms = millisecondsPerCall(framesPerScene, [&](int) {
            line.frame(stretch.order, static_cast<unsigned>(1 + frame % 60), frame / 60.0);
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
