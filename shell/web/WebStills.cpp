// WebStills: velmora-capture's still loop on the page's canvas.
#include "shell/web/WebStills.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "gfx/DataPath.h"

namespace {

constexpr int pictureWidth = 640;  // the fullscreen picture, as the capture tool makes it
constexpr int pictureHeight = 480;

FixedStepRun::Options stillOptions(FrameRate rate) {
    FixedStepRun::Options options;
    options.width = pictureWidth;
    options.height = pictureHeight;
    options.playModule = true;
    options.rate = rate;
    return options;
}

}  // namespace

WebStills::WebStills(const char* canvasSelector, std::vector<DemoMark> marks, FrameRate rate,
                     double fullSeconds)
    : places(std::move(marks)),
      rate(rate),
      run(stillOptions(rate)),
      canvas(canvasSelector, pictureWidth, pictureHeight),
      pictures(places.size()) {
    ModuleClock clock(dataPath("data/Tolvane.it"));
    for (const DemoMark& mark : places) {
        const double seconds = mark.byPosition ? clock.secondsAt(mark.order, mark.row) : mark.seconds;
        if (mark.byPosition && seconds < 0.0) throw std::runtime_error(mark.text + " is not in the song");
        const double fps = double(rate.numerator) / double(rate.denominator);
        const double asked = std::floor((seconds - fullSeconds) * fps);
        const std::int64_t first = std::isfinite(seconds) ? firstFullFrame(seconds, rate) : 0;
        fullFrom.push_back(std::isfinite(asked) ? std::clamp<std::int64_t>(static_cast<std::int64_t>(asked), 0, first)
                                                : 0);
        keepFrom.push_back(first);
    }
    // Copying every frame shown would cost the frames drawn in full before
    // a still (the benchmark's stretches) a copy the real-time page never
    // makes; only frames from where a still can first be reached are kept.
    run.run.onPresent = [this] {
        if (keepNext) canvas.keepShown();
        shownKept = keepNext;
        canvas.present();
        shownExact = true;
    };
    run.begin();
}

std::int64_t WebStills::firstPending(const std::vector<std::int64_t>& from) const {
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (pictures[i].empty()) first = std::min(first, from[i]);
    }
    return first;
}

FixedStepRun::Drawing WebStills::drawingFor(std::int64_t frame) const {
    return frame >= firstPending(fullFrom) ? FixedStepRun::Drawing::full : FixedStepRun::Drawing::stateOnly;
}

bool WebStills::advance(double budgetSeconds) {
    const double until = emscripten_get_now() / 1000.0 + budgetSeconds;
    while (!over && emscripten_get_now() / 1000.0 < until) {
        const FixedStepRun::Drawing drawing = drawingFor(run.frames());
        keepNext = run.frames() >= firstPending(keepFrom);
        const int presentsBefore = run.run.presents;
        const double stepStarted = emscripten_get_now();
        over = run.step(drawing);
        if (drawing == FixedStepRun::Drawing::full) {
            fullDrawing += (emscripten_get_now() - stepStarted) / 1000.0;
        } else {
            ++stateOnly;
            if (run.run.presents != presentsBefore) shownExact = false;
        }
        if (over) return false;
        const std::int64_t frame = run.frames() - 1;
        const ModulePosition position = run.position();
        bool pending = false;
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (!pictures[i].empty()) continue;
            if (!reached(places[i], frame, position, rate)) {
                pending = true;
                continue;
            }
            if (!shownExact || !shownKept) {
                throw std::runtime_error("cannot skip ahead exactly to " + places[i].text);
            }
            pictures[i].resize(std::size_t(pictureWidth) * pictureHeight * 4);
            canvas.readShown(pictures[i].data());
        }
        if (!pending) return false;
    }
    return true;
}
