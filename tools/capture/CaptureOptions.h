// CaptureOptions: what velmora-capture was asked to do, read from its command
// line. Parsing is plain logic (no FFmpeg, no GL), so a bad option is refused
// before anything is loaded or rendered.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/HeadlessRun.h"
#include "tools/capture/FastForward.h"

struct CaptureOptions {
    std::string output = "velmora.mp4";
    FrameRate rate{60, 1};
    int scale = 1;     // whole-number enlargement, nearest neighbour
    int fitWidth = 0;  // --size: the frame the picture is fitted into, 0 = none
    int fitHeight = 0;
    std::optional<int> crf;
    std::vector<DemoMark> stills;
    std::string outDir;
    std::optional<DemoMark> from;
    std::optional<DemoMark> to;
    bool stats = false;
    bool overwrite = false;  // an output file already there may be replaced
    bool renderAll = false;  // no state-only frames before the first written one
    bool help = false;
    bool version = false;
};

// A command line that cannot be carried out; the text says why.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads argv[1..]; throws OptionError.
CaptureOptions parseCaptureOptions(int argc, const char* const* argv);
DemoMark parseDemoMark(const std::string& text);
FrameRate parseFrameRate(const std::string& text);

// The --help text.
std::string captureHelp();
// The --version text.
std::string captureVersion();
