// WebStills: the page's fixed-clock mode (?at=ORDER:ROW,...&fps=N), which
// makes the same stills velmora-capture --still makes: the demo stepped on a
// fixed grid of frames with the music rendered offline, the frames well
// before a still drawn state-only, and the picture on screen when the music
// reaches each place kept. It runs in slices, so the page stays alive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/FixedStepRun.h"
#include "shell/web/WebCanvas.h"
#include "tools/capture/FastForward.h"
#include "tools/capture/ModuleClock.h"

class WebStills {
public:
    // Throws CError with the demo's texts, std::runtime_error for a place
    // the demo never reaches. At least the last `fullSeconds` before each
    // still are drawn in full (infinity: every frame).
    WebStills(const char* canvasSelector, std::vector<DemoMark> marks, FrameRate rate, double fullSeconds);

    // Steps frames for about `budgetSeconds` of the page's time; false once
    // every still is taken or the demo is over.
    bool advance(double budgetSeconds);

    const std::vector<DemoMark>& marks() const { return places; }
    // The picture of still i (RGBA, bottom row first), empty while not taken.
    const std::vector<std::uint8_t>& picture(std::size_t i) const { return pictures[i]; }
    std::int64_t frames() const { return run.frames(); }
    std::int64_t stateOnlyFrames() const { return stateOnly; }
    // The page's time spent on frames drawn in full, for their frame rate.
    double fullDrawingSeconds() const { return fullDrawing; }
    int width() const { return canvas.width(); }
    int height() const { return canvas.height(); }

private:
    FixedStepRun::Drawing drawingFor(std::int64_t frame) const;
    // The earliest of `from` over the stills not taken yet.
    std::int64_t firstPending(const std::vector<std::int64_t>& from) const;

    std::vector<DemoMark> places;
    FrameRate rate;
    FixedStepRun run;
    WebCanvas canvas;
    std::vector<std::int64_t> fullFrom;
    std::vector<std::int64_t> keepFrom;  // the first frame a still can be reached on
    std::vector<std::vector<std::uint8_t>> pictures;
    bool shownExact = true;  // the canvas keeps the picture last presented
    bool keepNext = false;   // the frame being stepped is copied when shown
    bool shownKept = false;  // the copy holds the picture last presented
    std::int64_t stateOnly = 0;
    double fullDrawing = 0.0;
    bool over = false;
};
