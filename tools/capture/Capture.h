// Capture: one run of velmora-capture — the demo stepped frame by frame
// through the headless run, the picture each frame shows read back when it
// is presented, and the frames and sound of the chosen stretch handed to the
// video file, or the frames at the chosen positions to the still writer.
#pragma once

#include <csignal>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/HeadlessRun.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/CaptureStats.h"
#include "tools/capture/StillWriter.h"
#include "tools/capture/VideoFile.h"

// True when frame `frame` (at `position` of the music) is at or past `mark`.
bool reached(const DemoMark& mark, std::int64_t frame, ModulePosition position, FrameRate rate);

class Capture {
public:
    struct Result {
        std::int64_t frames = 0;          // rendered
        std::int64_t written = 0;         // pictures in the file, or stills
        bool stopped = false;             // by the caller's flag (Ctrl-C)
        std::vector<std::string> missed;  // stills the demo ended before
    };

    // Checks the output (container, encoders, folder), builds the demo
    // (CError with the demo's texts when its data is bad) and creates the
    // file: everything that can fail early fails here.
    explicit Capture(const CaptureOptions& options);

    // Runs until the demo, the stretch or the stills are done, or `stop`
    // becomes non-zero; a video file is finished in every case.
    Result run(const volatile std::sig_atomic_t& stop);

    const CaptureStats& stats() const { return timing; }

private:
    bool handleFrame(std::int64_t frame, ModulePosition position, Result& result);
    std::int64_t expectedFrames() const;

    CaptureOptions options;
    FrameLayout layout;
    std::unique_ptr<VideoFile> file;
    std::unique_ptr<StillWriter> stills;
    std::unique_ptr<HeadlessRun> headless;
    std::vector<std::uint8_t> shown;  // what the screen shows: the last presented picture
    std::vector<bool> stillDone;
    bool writing = false;
    CaptureStats timing;
};
