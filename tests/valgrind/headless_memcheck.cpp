// headless_memcheck: the demo from its first frame to its own end, headless,
// for valgrind's memcheck. A tiny picture and a low frame rate keep it short
// under valgrind while every scene, the music and the end still run.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "shell/CError.h"
#include "shell/HeadlessRun.h"
#include "tests/fixtures/FixtureFolder.h"

int main() {
    // The offscreen driver, never a window on whatever display is set.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    try {
        FixtureFolder data;  // the fast module: order 38 row 3 after about 24 s
        HeadlessRun::Options options;
        options.width = 64;
        options.height = 48;
        options.playModule = true;
        options.rate = FrameRate{12, 1};
        HeadlessRun run(options);
        constexpr int frameLimit = 400;  // 33 s at 12 fps, well past the end
        bool over = false;
        while (!over && run.frames() < frameLimit) over = run.step();
        std::printf("headless_memcheck: %lld frames, %s\n", static_cast<long long>(run.frames()),
                    over ? "ended by itself" : "did not end");
        return over ? 0 : 1;
    } catch (const CError& error) {
        std::fprintf(stderr, "headless_memcheck: %s\n", error.message().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "headless_memcheck: %s\n", error.what());
    }
    return 1;
}
