// FrameStats: what a run of frame times looks like to a viewer — the typical
// frame (median), the bad ones (95th and 99th percentile) and the worst — and
// the frame rate the median allows.
#pragma once

#include <vector>

struct FrameStats {
    int frames = 0;
    double median = 0.0;  // milliseconds
    double p95 = 0.0;
    double p99 = 0.0;
    double worst = 0.0;
    double mean = 0.0;
    double framesPerSecond = 0.0;  // from the median
};

// Percentile by nearest rank: the smallest sample with at least `percent` of
// the samples at or below it. Empty input gives 0.
double percentile(std::vector<double> samples, double percent);

// The median of an even count is the mean of the middle two.
FrameStats summarize(const std::vector<double>& milliseconds);
