// FixedStepRun: the demo's construction order without the window's pause —
// scenes, music, (the caller's context,) initial GL state, then the music
// starts — and the fixed step that keeps picture and sound on the same
// sample grid.
#include "shell/FixedStepRun.h"

#include <GL/gl.h>

#include <stdexcept>
#include <utility>

#include "demo/InitialGLState.h"
#include "gfx/DataPath.h"

namespace {

std::unique_ptr<MusicPlayer> offlinePlayer(bool playModule, AudioOutput& output) {
    if (!playModule) return nullptr;
    return std::make_unique<MusicPlayer>(dataPath("data/Tolvane.it"), output);
}

}  // namespace

FixedStepRun::FixedStepRun(const Options& options)
    : rate(options.rate),
      width(options.width),
      height(options.height),
      player(offlinePlayer(options.playModule, audioOutput)) {
    if (rate.numerator <= 0 || rate.denominator <= 0) {
        throw std::invalid_argument("the frame rate must be positive");
    }
}

void FixedStepRun::begin() {
    applyInitialGLState();
    applyWindowProjection(width, height);
    if (player) {
        run.follow(*player);
        player->play();
    }
}

std::int64_t FixedStepRun::sampleBefore(std::int64_t frame) const {
    // round(frame · rate · den / num), in integers so no frame drifts.
    const std::int64_t scaled = frame * AudioOutput::sampleRate * rate.denominator;
    return (2 * scaled + rate.numerator) / (2 * rate.numerator);
}

ModulePosition FixedStepRun::position() {
    MusicPosition& source = player ? static_cast<MusicPosition&>(*player) : run.script;
    ModulePosition now;
    now.order = source.order();
    now.row = source.row();
    return now;
}

bool FixedStepRun::step(Drawing drawing) {
    const std::int64_t frame = nextFrame++;
    if (player) {
        const std::int64_t due = sampleBefore(frame) - (frame > 0 ? sampleBefore(frame - 1) : 0);
        lastAudio.assign(static_cast<std::size_t>(due) * AudioOutput::channels, 0.0f);
        if (due > 0) audioOutput.render(lastAudio.data(), static_cast<std::size_t>(due));
    }
    const double seconds = static_cast<double>(frame * rate.denominator) /
                           static_cast<double>(rate.numerator);
    return finished(frameDrawn(drawing, seconds));
}

// An empty scissor box keeps every fragment, clears included, out of the
// framebuffer; no scene touches the scissor, so it holds for the whole frame.
bool FixedStepRun::frameDrawn(Drawing drawing, double seconds) {
    if (drawing == Drawing::full) return run.frame(seconds);
    struct StateOnly {
        explicit StateOnly(std::function<void()>& hook) : hook(hook), kept(std::move(hook)) {
            hook = nullptr;
            glGetIntegerv(GL_SCISSOR_BOX, box);
            glEnable(GL_SCISSOR_TEST);
            glScissor(0, 0, 0, 0);
        }
        ~StateOnly() {
            glDisable(GL_SCISSOR_TEST);
            glScissor(box[0], box[1], box[2], box[3]);
            hook = std::move(kept);
        }
        std::function<void()>& hook;
        std::function<void()> kept;
        GLint box[4] = {};
    } stateOnly(run.onPresent);
    return run.frame(seconds);
}

bool FixedStepRun::frame(unsigned order, unsigned row, double seconds) {
    return finished(run.frame(order, row, seconds));
}

// A window's swap holds the next frame back until the last is shown; with
// nothing on screen the driver would queue frame after frame (about 1 MB
// each on llvmpipe) for as long as the run goes on.
bool FixedStepRun::finished(bool over) {
    glFinish();
    return over;
}
