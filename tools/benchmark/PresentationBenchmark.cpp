// velmora_presentation_benchmark: what a fullscreen run pays per frame when
// the display keeps a mode other than 640 x 480 and the picture is scaled to
// it: the clear of the bars and the one blit, timed to completion, on a
// headless framebuffer of each common screen size. The scenes' own cost is
// velmora_benchmark's.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "shell/HeadlessContext.h"
#include "shell/OffscreenTarget.h"
#include "tools/commandline/CommandLine.h"

namespace {

void timePresentation(int screenWidth, int screenHeight, int frames) {
    HeadlessContext screen(screenWidth, screenHeight);
    std::string whyNot;
    const std::unique_ptr<OffscreenTarget> target = OffscreenTarget::create(640, 480, whyNot);
    if (!target) {
        std::printf("%4d x %-4d  not scaled: %s\n", screenWidth, screenHeight, whyNot.c_str());
        return;
    }
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();

    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        target->present(screenWidth, screenHeight);
        glFinish();
    }
    const auto end = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(end - begin).count() / frames;
    const ScaledPicture picture = fitToScreen(640, 480, screenWidth, screenHeight);
    std::printf("%4d x %-4d  %4d x %-4d %-8s %8.3f ms\n", screenWidth, screenHeight,
                picture.width, picture.height, picture.wholeScale ? "nearest" : "linear", ms);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "velmora_presentation_benchmark",
                           "Usage: velmora_presentation_benchmark [FRAMES]\n"
                           "Times the scaled fullscreen presentation (bars cleared and one blit of\n"
                           "the 640 x 480 picture) on a headless framebuffer of each common screen\n"
                           "size, over FRAMES frames each (default 200).\n",
                           {}, 0, 1);
    int frames = 200;
    if (!line.operands().empty()) {
        frames = std::atoi(line.operands()[0].c_str());
        if (frames <= 0) line.refuse("FRAMES wants a positive whole number");
    }
    std::printf("Scaled fullscreen presentation (bars cleared + one blit), per frame:\n");
    std::printf("%-11s  %-11s %-8s %11s\n", "screen", "picture", "filter", "time");
    const int screens[][2] = {{800, 600},   {1024, 768},  {1280, 1024},
                              {1366, 768},  {1920, 1080}, {2560, 1440}};
    try {
        for (const auto& screen : screens) timePresentation(screen[0], screen[1], frames);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora_presentation_benchmark: %s\n", error.what());
        return 1;
    }
    return 0;
}
