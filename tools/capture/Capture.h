// Capture: one run of velmora-capture — the demo stepped frame by frame
// through the headless run, the picture each frame shows read back when it
// is presented, and the frames and sound of the chosen stretch handed to the
// video file, or the frames at the chosen positions to the still writer. The
// frames well before the first one written are drawn state-only.
#pragma once

#include <csignal>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/HeadlessRun.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/CaptureStats.h"
#include "tools/capture/ModuleClock.h"
#include "tools/capture/StillWriter.h"
#include "tools/capture/VideoFile.h"

class Capture {
public:
    struct Result {
        std::int64_t frames = 0;          // rendered
        std::int64_t stateOnly = 0;       // of them drawn state-only
        std::int64_t written = 0;         // pictures in the file, or stills
        bool stopped = false;             // by the caller's flag (Ctrl-C)
        std::vector<std::string> missed;  // stills the demo ended before
    };

    // Checks the output (container, encoders, folder, files already there),
    // builds the demo (CError with the demo's texts when its data is bad),
    // refuses places past the demo's end (OptionError) and creates the file:
    // everything that can fail early fails here.
    explicit Capture(const CaptureOptions& options);

    // Runs until the demo, the stretch or the stills are done, or `stop`
    // becomes non-zero; a video file is finished in every case. A failure
    // on the way removes the unfinished file.
    Result run(const volatile std::sig_atomic_t& stop);

    const CaptureStats& stats() const { return timing; }
    // After run() threw: the video file it had begun was removed.
    bool removedUnfinishedFile() const { return removedUnfinished; }
    const std::string& outputName() const { return options.output; }

private:
    Result runFrames(const volatile std::sig_atomic_t& stop);
    void refusePastTheEnd();
    std::int64_t fullFrom(const DemoMark& mark);
    HeadlessRun::Drawing drawingFor(std::int64_t frame) const;
    void needExactPicture(const DemoMark& mark) const;
    bool handleFrame(std::int64_t frame, ModulePosition position, Result& result);
    std::int64_t expectedFrames();

    CaptureOptions options;
    FrameLayout layout;
    std::unique_ptr<VideoFile> file;
    std::unique_ptr<StillWriter> stills;
    std::unique_ptr<HeadlessRun> headless;
    ModuleClock clock;
    std::vector<std::uint8_t> shown;  // what the screen shows: the last presented picture
    // False once a state-only frame was presented: `shown` is then not the
    // picture a viewer would see.
    bool shownExact = true;
    std::vector<bool> stillDone;
    // The first frame to draw in full for each still, and for --from.
    std::vector<std::int64_t> stillFullFrom;
    std::int64_t fromFullFrom = 0;
    bool writing = false;
    bool removedUnfinished = false;
    CaptureStats timing;
};
