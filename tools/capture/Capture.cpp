// Capture: the frame loop. The sound a step renders is the sound heard while
// the previous frame is on screen, so it goes to the file with that frame;
// the picture a frame shows is the last one presented (warm-up frames are
// drawn but the screen keeps the picture before them).
#include "tools/capture/Capture.h"

#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "demo/Cues.h"
#include "gfx/DataPath.h"
#include "tools/capture/Progress.h"

namespace {

constexpr int pictureWidth = 640;  // the fullscreen picture
constexpr int pictureHeight = 480;

bool atOrPast(unsigned order, unsigned row, cues::Position end) {
    return order > end.order || (order == end.order && row >= end.row);
}

}  // namespace

Capture::Capture(const CaptureOptions& wanted)
    : options(wanted),
      layout(frameLayout(pictureWidth, pictureHeight, wanted.scale, wanted.fitWidth,
                         wanted.fitHeight)),
      clock(dataPath("data/Tolvane.it")),
      shown(std::size_t(pictureWidth) * pictureHeight * 4, 0) {
    if (options.stills.empty()) {
        VideoFile::Settings settings;
        settings.path = options.output;
        settings.rate = options.rate;
        settings.sourceWidth = pictureWidth;
        settings.sourceHeight = pictureHeight;
        settings.layout = layout;
        settings.crf = options.crf;
        settings.overwrite = options.overwrite;
        file = std::make_unique<VideoFile>(settings);
    } else {
        stills = std::make_unique<StillWriter>(options.outDir, pictureWidth, pictureHeight, layout);
        stillDone.assign(options.stills.size(), false);
        std::error_code error;
        for (const DemoMark& mark : options.stills) {
            const std::string path = stills->pathFor(mark);
            if (!options.overwrite && std::filesystem::exists(path, error)) {
                throw std::runtime_error("'" + path +
                                         "' is already there; --overwrite (-y) replaces it");
            }
        }
    }
    HeadlessRun::Options runOptions;
    runOptions.width = pictureWidth;
    runOptions.height = pictureHeight;
    runOptions.playModule = true;
    runOptions.rate = options.rate;
    headless = std::make_unique<HeadlessRun>(runOptions);
    headless->run.onPresent = [this] {
        glFinish();  // the frame's GL work counts as rendering, not as read-back
        CaptureStats::Timer timer(timing, CaptureStats::readBack);
        headless->context().readPixels(0, 0, pictureWidth, pictureHeight, shown.data());
        shownExact = true;
    };
    refusePastTheEnd();
    for (const DemoMark& mark : options.stills) stillFullFrom.push_back(fullFrom(mark));
    if (options.from) fromFullFrom = fullFrom(*options.from);
    if (file) file->open();
}

void Capture::refusePastTheEnd() {
    std::vector<DemoMark> marks = options.stills;
    if (options.from) marks.push_back(*options.from);
    const double end = clock.demoSeconds();
    for (const DemoMark& mark : marks) {
        const bool past =
            mark.byPosition
                ? atOrPast(mark.order, mark.row, cues::demoEnd) ||
                      (clock.known() && clock.secondsAt(mark.order, mark.row) < 0.0)
                : end >= 0.0 && mark.seconds >= end;
        if (past) {
            char length[64];
            std::snprintf(length, sizeof length, "%.2f", end);
            throw OptionError(mark.text + " is past the demo's end (order 38 row 3, " +
                              (end >= 0.0 ? std::string(length) + " s" : "unknown") + ")");
        }
    }
}

// Frames before a mark show nothing that is written, but every scene must
// reach it in the state a full run leaves; a mark the clock cannot place
// is drawn in full from the start.
std::int64_t Capture::fullFrom(const DemoMark& mark) {
    if (options.renderAll) return 0;
    const double seconds = mark.byPosition ? clock.secondsAt(mark.order, mark.row) : mark.seconds;
    if (seconds < 0.0) return 0;
    return firstFullFrame(seconds, options.rate);
}

HeadlessRun::Drawing Capture::drawingFor(std::int64_t frame) const {
    std::int64_t fullFrom = 0;
    if (stills) {
        fullFrom = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 0; i < stillFullFrom.size(); ++i) {
            if (!stillDone[i]) fullFrom = std::min(fullFrom, stillFullFrom[i]);
        }
    } else if (options.from && !writing) {
        fullFrom = fromFullFrom;
    }
    return frame >= fullFrom ? HeadlessRun::Drawing::full : HeadlessRun::Drawing::stateOnly;
}

// The timing said the mark was further on than it was: the picture on
// screen came from a frame that was not drawn. Never written as if it were.
void Capture::needExactPicture(const DemoMark& mark) const {
    if (shownExact) return;
    throw std::runtime_error("cannot skip ahead exactly to " + mark.text +
                             " with this soundtrack; --render-all draws every frame in full");
}

std::int64_t Capture::expectedFrames() {
    auto secondsOf = [&](const DemoMark& mark) {
        return mark.byPosition ? clock.secondsAt(mark.order, mark.row) : mark.seconds;
    };
    double seconds = clock.demoSeconds();
    if (stills) {
        seconds = 0.0;
        for (const DemoMark& mark : options.stills) seconds = std::max(seconds, secondsOf(mark));
    } else if (options.to && secondsOf(*options.to) >= 0.0) {
        seconds = std::min(seconds, secondsOf(*options.to));
    }
    if (seconds <= 0.0) return 0;
    return static_cast<std::int64_t>(
               std::ceil(seconds * options.rate.numerator / options.rate.denominator)) +
           1;
}

Capture::Result Capture::run(const volatile std::sig_atomic_t& stop) {
    try {
        return runFrames(stop);
    } catch (...) {
        removedUnfinished = file && file->discard();
        throw;
    }
}

Capture::Result Capture::runFrames(const volatile std::sig_atomic_t& stop) {
    Result result;
    Progress progress(stderr, isatty(STDERR_FILENO) != 0, options.rate, expectedFrames());
    for (;;) {
        bool over = false;
        const HeadlessRun::Drawing drawing = drawingFor(headless->frames());
        {
            const bool full = drawing == HeadlessRun::Drawing::full;
            CaptureStats::Timer timer(timing, full ? CaptureStats::rendering : CaptureStats::skipping);
            const int presentsBefore = headless->run.presents;
            over = headless->step(drawing);
            if (!full && headless->run.presents != presentsBefore) shownExact = false;
            if (!full) ++result.stateOnly;
        }
        const std::int64_t frame = headless->frames() - 1;
        const ModulePosition position = headless->position();
        result.frames = frame + 1;
        if (writing) {
            // This step's sound plays under the frame before it.
            CaptureStats::Timer timer(timing, CaptureStats::encoding);
            const std::vector<float>& sound = headless->audio();
            file->writeSound(sound.data(), sound.size() / AudioOutput::channels);
        }
        progress.update(frame, position);
        if (over) break;
        if (stop != 0) {
            result.stopped = true;
            break;
        }
        if (!handleFrame(frame, position, result)) break;
    }
    progress.done();
    if (file) {
        CaptureStats::Timer timer(timing, CaptureStats::encoding);
        file->finish();
    }
    for (std::size_t i = 0; i < stillDone.size(); ++i) {
        if (!stillDone[i]) result.missed.push_back(options.stills[i].text);
    }
    return result;
}

bool Capture::handleFrame(std::int64_t frame, ModulePosition position, Result& result) {
    const FrameRate rate = options.rate;
    if (stills) {
        for (std::size_t i = 0; i < options.stills.size(); ++i) {
            if (stillDone[i] || !reached(options.stills[i], frame, position, rate)) continue;
            needExactPicture(options.stills[i]);
            CaptureStats::Timer timer(timing, CaptureStats::encoding);
            std::printf("%s\n", stills->write(shown.data(), options.stills[i]).c_str());
            std::fflush(stdout);
            stillDone[i] = true;
            ++result.written;
        }
        return std::find(stillDone.begin(), stillDone.end(), false) != stillDone.end();
    }
    if (options.to && reached(*options.to, frame, position, rate)) return false;
    if (!writing && (!options.from || reached(*options.from, frame, position, rate))) {
        if (options.from) needExactPicture(*options.from);
        writing = true;
    }
    if (writing) {
        CaptureStats::Timer timer(timing, CaptureStats::encoding);
        file->writePicture(shown.data());
        ++result.written;
    }
    return true;
}
