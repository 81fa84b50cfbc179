// Progress: the bar and the tenths, with speed measured over the whole run.
#include "tools/capture/Progress.h"

#include <algorithm>
#include <string>

namespace {

std::string minutesSeconds(double seconds) {
    const long whole = std::max(0L, static_cast<long>(seconds + 0.5));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

Progress::Progress(std::FILE* out, bool terminal, FrameRate rate, std::int64_t expectedFrames)
    : out(out),
      terminal(terminal),
      rate(rate),
      expectedFrames(expectedFrames),
      start(std::chrono::steady_clock::now()),
      lastDrawn(start) {}

void Progress::update(std::int64_t frame, ModulePosition position) {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - start).count();
    const double fps = elapsed > 0.0 ? double(frame + 1) / elapsed : 0.0;
    if (terminal) {
        if (now - lastDrawn < std::chrono::milliseconds(100)) return;
        lastDrawn = now;
        drawBar(frame, position, fps);
        return;
    }
    if (expectedFrames <= 0 || nextTenth > 10 || (frame + 1) * 10 < expectedFrames * nextTenth)
        return;
    const double left = fps > 0.0 ? double(expectedFrames - frame - 1) / fps : 0.0;
    std::fprintf(out,
                 "velmora-capture: %d%% (frame %lld, order %u row %u, %.1f frames/s, %s left)\n",
                 nextTenth * 10, static_cast<long long>(frame), position.order, position.row, fps,
                 minutesSeconds(left).c_str());
    std::fflush(out);
    ++nextTenth;
}

void Progress::drawBar(std::int64_t frame, ModulePosition position, double fps) {
    constexpr int barWidth = 30;
    const double share =
        expectedFrames > 0 ? std::min(1.0, double(frame + 1) / double(expectedFrames)) : 0.0;
    const int filled = static_cast<int>(share * barWidth);
    const std::string bar = std::string(filled, '#') + std::string(barWidth - filled, '.');
    const double left =
        fps > 0.0 && expectedFrames > 0 ? double(expectedFrames - frame - 1) / fps : 0.0;
    const double clock = double(frame * rate.denominator) / double(rate.numerator);
    std::fprintf(out, "\r[%s] %3d%%  frame %lld (%s)  order %2u row %2u  %5.1f frames/s  %s left ",
                 bar.c_str(), static_cast<int>(share * 100), static_cast<long long>(frame),
                 minutesSeconds(clock).c_str(), position.order, position.row, fps,
                 minutesSeconds(left).c_str());
    std::fflush(out);
    drawn = true;
}

void Progress::done() {
    if (drawn) std::fputc('\n', out);
    drawn = false;
}
