// CaptureStats: the summary --stats prints at the end of a run.
#include "tools/capture/CaptureStats.h"

void CaptureStats::print(std::FILE* out, std::int64_t frames, std::int64_t stateOnly,
                         std::int64_t written, FrameRate rate) const {
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double demoSeconds = double(frames * rate.denominator) / double(rate.numerator);
    // The read-back waits for the frame's GL work inside the step, so it is
    // taken out of the step's time.
    const double render = seconds[rendering] - seconds[readBack];
    const double other = wall - seconds[rendering] - seconds[skipping] - seconds[encoding];
    // Per frame of its own kind: drawn in full, or state-only.
    auto line = [&](const char* what, double time, std::int64_t count) {
        std::fprintf(out, "  %-34s %8.2f s  %5.1f %%  %7.2f ms/frame\n", what, time,
                     wall > 0 ? 100.0 * time / wall : 0.0,
                     count > 0 ? 1000.0 * time / count : 0.0);
    };
    const std::int64_t full = frames - stateOnly;
    std::fprintf(
        out, "velmora-capture stats: %lld frames (%.2f s of the demo, %lld written) in %.2f s\n",
        static_cast<long long>(frames), demoSeconds, static_cast<long long>(written), wall);
    std::fprintf(out, "  %.1f frames/s, %.2f x real time\n", wall > 0 ? frames / wall : 0.0,
                 wall > 0 ? demoSeconds / wall : 0.0);
    line("rendering (timeline, scenes, music)", render, full);
    if (stateOnly > 0) {
        std::fprintf(out, "  skipping ahead: %lld frames drawn state-only\n",
                     static_cast<long long>(stateOnly));
        line("skipping (state-only frames)", seconds[skipping], stateOnly);
    }
    line("read-back (glReadPixels)", seconds[readBack], full);
    line("encoding and writing", seconds[encoding], frames);
    line("start-up and the rest", other, frames);
}
