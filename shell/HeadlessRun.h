// HeadlessRun: the demo without its window. It builds the scenes as the demo
// does, holds a real OpenGL context that shows nothing (HeadlessContext),
// applies the window's initial GL state, and drives the one timeline with a
// fixed-step clock and either the real module rendered offline by the music
// player or a scripted position (FixedStepRun). The capture tool, the
// benchmark and the real-context tests all run the demo through it.
#pragma once

#include "shell/FixedStepRun.h"
#include "shell/HeadlessContext.h"

class HeadlessRun : public FixedStepRun {
public:
    // Throws CError with the demo's own texts ("Error loadin graphix",
    // "Error bass init") and std::runtime_error when no context can be made.
    explicit HeadlessRun(const Options& options);

    HeadlessContext& context() { return gl; }

private:
    HeadlessContext gl;
};
