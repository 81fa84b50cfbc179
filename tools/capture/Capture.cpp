// Capture: the frame loop. The sound a step renders is the sound heard while
// the previous frame is on screen, so it goes to the file with that frame;
// the picture a frame shows is the last one presented (warm-up frames are
// drawn but the screen keeps the picture before them).
#include "tools/capture/Capture.h"

#include <GL/gl.h>
#include <libopenmpt/libopenmpt.hpp>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "demo/Cues.h"
#include "gfx/DataPath.h"
#include "tools/capture/Progress.h"

namespace {

constexpr int pictureWidth = 640;  // the fullscreen picture
constexpr int pictureHeight = 480;

// libopenmpt's own timing of the module, for the progress estimate only:
// the run itself goes by the position the player reports.
class ModuleClock {
public:
    explicit ModuleClock(const std::string& path) {
        try {
            std::ifstream file(path, std::ios::binary);
            module = std::make_unique<openmpt::module>(file);
        } catch (const std::exception&) {
            module.reset();
        }
    }
    // Seconds to (order, row), or a negative value when that is unknown.
    double secondsAt(unsigned order, unsigned row) {
        if (!module || static_cast<int>(order) >= module->get_num_orders()) return -1.0;
        return module->set_position_order_row(static_cast<std::int32_t>(order),
                                              static_cast<std::int32_t>(row));
    }
    double demoSeconds() {
        if (!module) return -1.0;
        const double end = secondsAt(cues::demoEnd.order, cues::demoEnd.row);
        const double length = module->get_duration_seconds();
        return end > 0.0 ? std::min(end, length) : length;
    }

private:
    std::unique_ptr<openmpt::module> module;
};

}  // namespace

bool reached(const DemoMark& mark, std::int64_t frame, ModulePosition position, FrameRate rate) {
    if (mark.byPosition) {
        return position.order > mark.order ||
               (position.order == mark.order && position.row >= mark.row);
    }
    // frame / fps >= seconds, with room for the decimal's rounding.
    return double(frame) * double(rate.denominator) >= mark.seconds * double(rate.numerator) - 1e-6;
}

Capture::Capture(const CaptureOptions& wanted)
    : options(wanted),
      layout(frameLayout(pictureWidth, pictureHeight, wanted.scale, wanted.fitWidth,
                         wanted.fitHeight)),
      shown(std::size_t(pictureWidth) * pictureHeight * 4, 0) {
    if (options.stills.empty()) {
        VideoFile::Settings settings;
        settings.path = options.output;
        settings.rate = options.rate;
        settings.sourceWidth = pictureWidth;
        settings.sourceHeight = pictureHeight;
        settings.layout = layout;
        settings.crf = options.crf;
        file = std::make_unique<VideoFile>(settings);
    } else {
        stills = std::make_unique<StillWriter>(options.outDir, pictureWidth, pictureHeight, layout);
        stillDone.assign(options.stills.size(), false);
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
    };
    if (file) file->open();
}

std::int64_t Capture::expectedFrames() const {
    ModuleClock clock(dataPath("data/Tolvane.it"));
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
    Result result;
    Progress progress(stderr, isatty(STDERR_FILENO) != 0, options.rate, expectedFrames());
    for (;;) {
        bool over = false;
        {
            CaptureStats::Timer timer(timing, CaptureStats::rendering);
            over = headless->step();
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
            CaptureStats::Timer timer(timing, CaptureStats::encoding);
            std::printf("%s\n", stills->write(shown.data(), options.stills[i]).c_str());
            std::fflush(stdout);
            stillDone[i] = true;
            ++result.written;
        }
        return std::find(stillDone.begin(), stillDone.end(), false) != stillDone.end();
    }
    if (options.to && reached(*options.to, frame, position, rate)) return false;
    if (!writing && (!options.from || reached(*options.from, frame, position, rate)))
        writing = true;
    if (writing) {
        CaptureStats::Timer timer(timing, CaptureStats::encoding);
        file->writePicture(shown.data());
        ++result.written;
    }
    return true;
}
