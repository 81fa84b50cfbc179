// velmora-capture: the demo rendered without a display, frame-exact with its
// soundtrack, into a video file or into still pictures. A command-line tool:
// the demo's own error texts go to stderr and the status is non-zero; a
// signal to stop finishes the file and ends with the shell's status for it.
extern "C" {
#include <libavutil/log.h>
}

#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>

#include "shell/CError.h"
#include "tools/capture/Capture.h"
#include "tools/capture/CaptureOptions.h"

namespace {

constexpr int statusFailed = 1;
constexpr int statusBadCommandLine = 2;

// The signal that asked for the stop; 0 while none has.
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int signal) { stopRequested = signal; }

// The first Ctrl-C, `kill` or hang-up lets the file be finished; a second
// one of the same kind ends the program at once.
void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

// What a shell reports for a program a signal ended: 128 + its number.
int stoppedStatus() { return 128 + static_cast<int>(stopRequested); }

int report(const Capture& capture, const Capture::Result& result, const CaptureOptions& options) {
    if (options.stats) {
        capture.stats().print(stderr, result.frames, result.stateOnly, result.written,
                              options.rate);
    }
    if (result.stopped) {
        std::fprintf(stderr, "velmora-capture: stopped after %lld frames; %s holds %lld of them\n",
                     static_cast<long long>(result.frames),
                     options.stills.empty() ? options.output.c_str() : options.outDir.c_str(),
                     static_cast<long long>(result.written));
        return stoppedStatus();
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
    if (options.help || options.version) {
        std::fputs((options.help ? captureHelp() : captureVersion()).c_str(), stdout);
        return 0;
    }
    catchStopSignals();
    av_log_set_level(AV_LOG_ERROR);  // the encoders' own chatter is not for the user
    std::unique_ptr<Capture> capture;
    try {
        capture = std::make_unique<Capture>(options);
        const Capture::Result result = capture->run(stopRequested);
        return report(*capture, result, options);
    } catch (const OptionError& error) {
        std::fprintf(stderr, "velmora-capture: %s\nTry 'velmora-capture --help'.\n", error.what());
        return statusBadCommandLine;
    } catch (const CError& error) {
        std::fprintf(stderr, "velmora-capture: %s\n", error.message().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-capture: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "velmora-capture: Unknown error\n");
    }
    if (capture && capture->removedUnfinishedFile()) {
        std::fprintf(stderr, "velmora-capture: the unfinished '%s' was removed\n",
                     capture->outputName().c_str());
    }
    return statusFailed;
}
