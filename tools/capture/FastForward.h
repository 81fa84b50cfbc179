// FastForward: how a fixed-step run gets to a place in the demo without
// drawing every frame before it — where the place is reached, and from which
// frame on the frames must be drawn in full so that the picture shown there
// is exact. velmora-capture and the browser build's still mode go by it.
#pragma once

#include <cstdint>
#include <string>

#include "demo/music/MusicPosition.h"
#include "shell/FixedStepRun.h"

// A place in the demo: ORDER:ROW of the music, or seconds of its clock.
struct DemoMark {
    bool byPosition = false;  // true: order and row; false: seconds
    unsigned order = 0;
    unsigned row = 0;
    double seconds = 0.0;
    std::string text;  // as written on the command line
};

// True when frame `frame` (at `position` of the music) is at or past `mark`.
bool reached(const DemoMark& mark, std::int64_t frame, ModulePosition position, FrameRate rate);

// The first frame to draw in full for a place `seconds` into the demo (the
// frames before it may be state-only): the warm-up frames a scene draws
// before it shows, and half a second for the player's position to part from
// the module's own timing, come before it.
std::int64_t firstFullFrame(double seconds, FrameRate rate);
