// PresentationLead: how far ahead of the sound heard now a frame's picture
// must be drawn to match the sound when it is seen. A frame is seen from its
// present until the next one replaces it; the lead aims the frame at the
// middle of that time: the time it takes from its start to its present, plus
// half the frame interval, both smoothed over recent frames. Plain arithmetic
// on times the caller reads, shared by every platform's main loop.
#pragma once

#include <array>
#include <cstddef>

class PresentationLead {
public:
    // Frames looked back on: enough that one slow frame does not move the
    // lead, few enough to follow a scene that draws slower than the last.
    static constexpr std::size_t window = 9;
    // Past this the prediction is a guess, and a longer lead would look
    // beyond the sound decoded so far.
    static constexpr double maxLeadSeconds = 0.1;

    // A frame starts at `seconds` (any steady clock, the same for every call).
    void frameStarts(double seconds);
    // The frame started last has just been presented.
    void framePresented(double seconds);
    // The lead for the frame started last: 0 until frames have been
    // presented, never negative, never more than maxLeadSeconds.
    double seconds() const { return lead; }

private:
    static double median(const std::array<double, window>& values, std::size_t count);

    std::array<double, window> renderTimes{};  // start to present
    std::array<double, window> intervals{};    // start to the next start
    std::size_t renderCount = 0;
    std::size_t intervalCount = 0;
    std::size_t nextRender = 0;
    std::size_t nextInterval = 0;
    double lastStart = -1.0;
    bool lastPresented = false;
    double lead = 0.0;
};
