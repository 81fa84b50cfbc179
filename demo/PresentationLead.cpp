// PresentationLead: medians of the recent render times and frame intervals.
#include "demo/PresentationLead.h"

#include <algorithm>

double PresentationLead::median(const std::array<double, window>& values, std::size_t count) {
    std::array<double, window> sorted = values;
    const auto end = sorted.begin() + static_cast<std::ptrdiff_t>(count);
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(count / 2);
    std::nth_element(sorted.begin(), middle, end);
    return *middle;
}

void PresentationLead::frameStarts(double seconds) {
    // Only shown frames measure the interval a picture stays on screen; the
    // warm-up frames that are drawn but never presented do not.
    if (lastStart >= 0.0 && lastPresented && seconds >= lastStart) {
        intervals[nextInterval] = seconds - lastStart;
        nextInterval = (nextInterval + 1) % window;
        intervalCount = std::min(intervalCount + 1, window);
    }
    lastStart = seconds;
    lastPresented = false;
    double predicted = 0.0;
    if (renderCount > 0) predicted += median(renderTimes, renderCount);
    if (intervalCount > 0) predicted += 0.5 * median(intervals, intervalCount);
    lead = std::clamp(predicted, 0.0, maxLeadSeconds);
}

void PresentationLead::framePresented(double seconds) {
    if (lastStart < 0.0 || lastPresented || seconds < lastStart) return;
    renderTimes[nextRender] = seconds - lastStart;
    nextRender = (nextRender + 1) % window;
    renderCount = std::min(renderCount + 1, window);
    lastPresented = true;
}
