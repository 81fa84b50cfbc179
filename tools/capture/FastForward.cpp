// FastForward: the mark test and the frame the full drawing starts from.
#include "tools/capture/FastForward.h"

#include <algorithm>
#include <cmath>

namespace {

// At most two warm-up frames are drawn and not shown (the picture before
// them stays on screen), and libopenmpt keeps one position for 5 ms.
constexpr std::int64_t warmUpFrames = 3;
constexpr double leadSeconds = 0.5;

}  // namespace

bool reached(const DemoMark& mark, std::int64_t frame, ModulePosition position, FrameRate rate) {
    if (mark.byPosition) {
        return position.order > mark.order ||
               (position.order == mark.order && position.row >= mark.row);
    }
    // frame / fps >= seconds, with room for the decimal's rounding.
    return double(frame) * double(rate.denominator) >= mark.seconds * double(rate.numerator) - 1e-6;
}

std::int64_t firstFullFrame(double seconds, FrameRate rate) {
    const double fps = double(rate.numerator) / double(rate.denominator);
    const auto lead = warmUpFrames + static_cast<std::int64_t>(std::ceil(leadSeconds * fps));
    return std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(seconds * fps)) - lead);
}
