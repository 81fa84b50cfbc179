// FixedStepRun: the demo on a fixed grid of frames — the scenes on the one
// timeline, the module rendered offline sample-exactly between frames (or a
// scripted position), and frames drawn in full or state-only — in whatever
// GL context is current. The headless run gives it a context of its own on
// the desktop; the browser build's still mode its page's WebGL.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "demo/music/MusicPlayer.h"
#include "demo/music/OfflineAudioOutput.h"
#include "demo/TimelineRun.h"

// Frames per second as a fraction, so that 60000/1001 steps exactly.
struct FrameRate {
    std::int64_t numerator = 60;
    std::int64_t denominator = 1;
};

class FixedStepRun {
public:
    struct Options {
        int width = 640;  // the fullscreen picture
        int height = 480;
        // true: data/Tolvane.it played from order 0 row 0, rendered offline
        // as the frames go; false: the position is the script's.
        bool playModule = false;
        FrameRate rate;
    };

    // Builds the scenes and loads the module; no GL call yet. Throws CError
    // with the demo's own texts ("Error loadin graphix", "Error bass init")
    // and std::invalid_argument for a frame rate that is not positive.
    explicit FixedStepRun(const Options& options);
    FixedStepRun(const FixedStepRun&) = delete;
    FixedStepRun& operator=(const FixedStepRun&) = delete;

    // Once the context is current: the window's initial GL state and
    // projection, then the music starts.
    void begin();

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

private:
    bool finished(bool over);
    bool frameDrawn(Drawing drawing, double seconds);

    FrameRate rate;
    int width;
    int height;
    OfflineAudioOutput audioOutput;
    std::unique_ptr<MusicPlayer> player;
    std::int64_t nextFrame = 0;
    std::vector<float> lastAudio;
};
