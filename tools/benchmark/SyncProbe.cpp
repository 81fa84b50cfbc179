// SyncProbe: preloaded into the real velmora beside the first-present probe
// by the benchmark's sync section. At every present it notes when the swap
// returned and what the frame showed, as the program itself recorded it
// (velmoraPresentedFrame, found by name): one line a frame, written at once
// to $VELMORA_SYNC_FILE, so a run stopped early keeps every line.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "demo/Demo.h"
#include "tools/benchmark/Subprocess.h"

namespace {

int openLog() {
    const char* path = std::getenv("VELMORA_SYNC_FILE");
    return path == nullptr ? -1 : open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    static const auto real = reinterpret_cast<void (*)(SDL_Window*)>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static const auto* frame = static_cast<const PresentedFrame*>(dlsym(RTLD_DEFAULT, "velmoraPresentedFrame"));
    static const int log = openLog();
    real(window);
    const double presented = monotonicSeconds();
    if (frame == nullptr || log < 0) return;
    char line[256];
    const int length = std::snprintf(
        line, sizeof line, "%.6f %.6f %.6f %lld %lld %lld %u %u\n", presented, frame->startSeconds,
        frame->leadSeconds, static_cast<long long>(frame->heardFrame),
        static_cast<long long>(frame->shownFrame), static_cast<long long>(frame->rowFrame), frame->order,
        frame->row);
    if (length > 0 && write(log, line, static_cast<std::size_t>(length)) < 0) return;
}
