// AudioOutput: waiting for a frame to be heard, by polling.
#include "demo/music/AudioOutput.h"

#include <chrono>
#include <thread>

void AudioOutput::waitUntilHeard(const std::function<std::int64_t()>& frame, double timeoutSeconds) {
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double>(timeoutSeconds));
    while (Clock::now() < until) {
        const std::int64_t wanted = frame();
        if (wanted >= 0 && audibleFrame() >= wanted) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
