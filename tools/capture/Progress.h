// Progress: how far a capture has got, on stderr — a bar redrawn in place on a
// terminal (frame, music position, speed, time left), a plain line every
// 10 % when stderr is a file or a pipe.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "demo/music/PositionRing.h"
#include "shell/HeadlessRun.h"

class Progress {
public:
    // `expectedFrames`: where the run should end (0: unknown, no bar).
    Progress(std::FILE* out, bool terminal, FrameRate rate, std::int64_t expectedFrames);

    // After frame `frame` (counted from 0) was rendered at `position`.
    void update(std::int64_t frame, ModulePosition position);
    // Ends the bar's line.
    void done();

private:
    void drawBar(std::int64_t frame, ModulePosition position, double fps);

    std::FILE* out;
    bool terminal;
    FrameRate rate;
    std::int64_t expectedFrames;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastDrawn;
    int nextTenth = 1;
    bool drawn = false;
};
