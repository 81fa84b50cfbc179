// CaptureStats: where a capture's time goes — rendering the frame (the
// timeline, its scenes and the music, up to the GL work being done), the
// state-only frames of skipping ahead, reading the picture back, and
// encoding and writing it — printed by --stats.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "shell/HeadlessRun.h"

class CaptureStats {
public:
    enum Stage { rendering, skipping, readBack, encoding, stageCount };

    // Adds the time from its construction to its end to one stage.
    class Timer {
    public:
        Timer(CaptureStats& stats, Stage stage)
            : stats(stats), stage(stage), begin(std::chrono::steady_clock::now()) {}
        ~Timer() {
            stats.seconds[stage] +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        }
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;

    private:
        CaptureStats& stats;
        Stage stage;
        std::chrono::steady_clock::time_point begin;
    };

    CaptureStats() : start(std::chrono::steady_clock::now()) {}

    // `frames` rendered at `rate`, `stateOnly` of them state-only, of which
    // `written` went to the output.
    void print(std::FILE* out, std::int64_t frames, std::int64_t stateOnly, std::int64_t written,
               FrameRate rate) const;

private:
    double seconds[stageCount] = {};
    std::chrono::steady_clock::time_point start;
};
