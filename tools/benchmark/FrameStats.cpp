// FrameStats: nearest-rank percentiles over a copy of the samples.
#include "tools/benchmark/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

double percentile(std::vector<double> samples, double percent) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(samples.size()));
    const auto index = static_cast<std::size_t>(std::clamp(rank, 1.0, double(samples.size()))) - 1;
    return samples[index];
}

FrameStats summarize(const std::vector<double>& milliseconds) {
    FrameStats stats;
    stats.frames = static_cast<int>(milliseconds.size());
    if (milliseconds.empty()) return stats;
    std::vector<double> sorted = milliseconds;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    stats.median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
    stats.p95 = percentile(sorted, 95.0);
    stats.p99 = percentile(sorted, 99.0);
    stats.worst = sorted.back();
    stats.mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(n);
    stats.framesPerSecond = stats.median > 0.0 ? 1000.0 / stats.median : 0.0;
    return stats;
}
