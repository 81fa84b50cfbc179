// velmora-capture: the demo rendered without a display, frame-exact with its
// soundtrack, into a video file or into still pictures. A command-line tool:
// the demo's own error texts go to stderr and the status is non-zero.
extern "C" {
#include <libavutil/log.h>
}

#include <csignal>
#include <cstdio>
#include <exception>

#include "shell/CError.h"
#include "tools/capture/Capture.h"
#include "tools/capture/CaptureOptions.h"

namespace {

constexpr int statusFailed = 1;
constexpr int statusBadCommandLine = 2;
constexpr int statusStopped = 130;  // what a shell reports for Ctrl-C

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

// The first Ctrl-C lets the file be finished; a second one ends the program.
void catchInterrupt() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

int report(const Capture& capture, const Capture::Result& result, const CaptureOptions& options) {
    if (options.stats) {
        capture.stats().print(stderr, result.frames, result.written, options.rate);
    }
    if (result.stopped) {
        std::fprintf(stderr, "velmora-capture: stopped after %lld frames; %s holds %lld of them\n",
                     static_cast<long long>(result.frames),
                     options.stills.empty() ? options.output.c_str() : options.outDir.c_str(),
                     static_cast<long long>(result.written));
        return statusStopped;
    }
    for (const std::string& mark : result.missed) {
        std::fprintf(stderr, "velmora-capture: the demo ended before %s\n", mark.c_str());
    }
    if (!result.missed.empty()) return statusFailed;
    if (options.stills.empty()) {
        const double seconds =
            double(result.written * options.rate.denominator) / double(options.rate.numerator);
        std::fprintf(stderr, "velmora-capture: wrote %s: %lld frames, %.2f s\n",
                     options.output.c_str(), static_cast<long long>(result.written), seconds);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    try {
        options = parseCaptureOptions(argc, argv);
    } catch (const OptionError& error) {
        std::fprintf(stderr, "velmora-capture: %s\nTry 'velmora-capture --help'.\n", error.what());
        return statusBadCommandLine;
    }
    if (options.help) {
        std::fputs(captureHelp().c_str(), stdout);
        return 0;
    }
    catchInterrupt();
    av_log_set_level(AV_LOG_ERROR);  // the encoders' own chatter is not for the user
    try {
        Capture capture(options);
        const Capture::Result result = capture.run(stopRequested);
        return report(capture, result, options);
    } catch (const CError& error) {
        std::fprintf(stderr, "velmora-capture: %s\n", error.message().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-capture: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "velmora-capture: Unknown error\n");
    }
    return statusFailed;
}
