// FrameTimes: the frame-time distribution of every stretch of the demo, driven
// through the one timeline in a headless context, and of each stretch's floor
// program; the ratio between the two medians says what is ours.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/FrameStats.h"

Json measureFrameTimes(const Settings& settings);
void printFrameTimes(const Json& result);

Json statsJson(const FrameStats& stats);

// Milliseconds of one frame, glFinish included: the frame is only done when
// the rasteriser's threads are.
double timedFrame(const std::function<void()>& frame);
