// HeadlessRun: the demo without its window. It builds the scenes as the demo
// does, holds a real OpenGL context that shows nothing (HeadlessContext),
// applies the window's initial GL state, and drives the one timeline with a
// fixed-step clock and either the real module rendered offline by the music
// player or a scripted position. The capture tool, the benchmark and the
// real-context tests all run the demo through it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "demo/music/MusicPlayer.h"
#include "demo/music/OfflineAudioOutput.h"
#include "demo/TimelineRun.h"
#include "shell/HeadlessContext.h"

// Frames per second as a fraction, so that 60000/1001 steps exactly.
struct FrameRate {
    std::int64_t numerator = 60;
    std::int64_t denominator = 1;
};

class HeadlessRun {
public:
    struct Options {
        int width = 640;  // the fullscreen picture
        int height = 480;
        // true: data/Tolvane.it played from order 0 row 0, rendered offline
        // as the frames go; false: the position is the script's.
        bool playModule = false;
        FrameRate rate;
    };

    // Throws CError with the demo's own texts ("Error loadin graphix",
    // "Error bass init") and std::runtime_error when no context can be made.
    explicit HeadlessRun(const Options& options);
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // How a frame is drawn. A state-only frame makes every GL call a full
    // one makes, so each scene's animation, counters, textures and GL state
    // end up exactly as after a full frame, but no pixel is written: it is
    // the cheap way through the frames before the first one looked at.
    // Whatever such a frame leaves in the framebuffer is never seen: every
    // frame starts with a clear, and the scenes' copies of the framebuffer
    // into textures are drawn over in the same frame before they are used.
    // The present hook does not run for it (there is no picture to read).
    enum class Drawing { full, stateOnly };

    // One frame at a scripted position and clock.
    bool frame(unsigned order, unsigned row, double seconds);
    // The next frame of the fixed-step run: frame i shows the clock at
    // i / fps, after the music has been rendered up to sample
    // round(i · 44100 / fps). True when the demo is over.
    bool step(Drawing drawing = Drawing::full);
    // Frames stepped so far.
    std::int64_t frames() const { return nextFrame; }
    // The stereo samples (interleaved floats) the last step rendered.
    const std::vector<float>& audio() const { return lastAudio; }
    // Sample index the music has been rendered up to before frame i.
    std::int64_t sampleBefore(std::int64_t frame) const;
    // Where the music stands now, as the last frame read it: the player's
    // audible position, or the script's.
    ModulePosition position();

    TimelineRun run;
    HeadlessContext& context() { return gl; }

private:
    bool finished(bool over);
    bool frameDrawn(Drawing drawing, double seconds);

    FrameRate rate;
    OfflineAudioOutput audioOutput;
    std::unique_ptr<MusicPlayer> player;
    HeadlessContext gl;
    std::int64_t nextFrame = 0;
    std::vector<float> lastAudio;
};
