// CaptureOptions: the command line of velmora-capture, checked whole before
// the run starts, with one message per mistake.
#include "tools/capture/CaptureOptions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "demo/Cues.h"
#include "shell/Usage.h"
#include "tools/commandline/CommandLine.h"

namespace {

bool wholeNumber(const std::string& text, long long& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

int integerIn(const std::string& option, const std::string& text, int low, int high) {
    long long value = 0;
    if (!wholeNumber(text, value) || value < low || value > high) {
        throw OptionError(option + " wants a whole number from " + std::to_string(low) + " to " +
                          std::to_string(high) + ", not '" + text + "'");
    }
    return static_cast<int>(value);
}

void parseSize(const std::string& text, CaptureOptions& options) {
    const std::size_t x = text.find('x');
    long long width = 0, height = 0;
    if (x == std::string::npos || !wholeNumber(text.substr(0, x), width) ||
        !wholeNumber(text.substr(x + 1), height) || width < 16 || height < 16 || width > 7680 ||
        height > 4320 || width % 2 != 0 || height % 2 != 0) {
        throw OptionError("--size wants WIDTHxHEIGHT, both even, from 16x16 to 7680x4320, not '" +
                          text + "'");
    }
    options.fitWidth = static_cast<int>(width);
    options.fitHeight = static_cast<int>(height);
}

std::vector<DemoMark> parseMarks(const std::string& text) {
    std::vector<DemoMark> marks;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        marks.push_back(parseDemoMark(text.substr(start, comma - start)));
        if (comma == std::string::npos) return marks;
        start = comma + 1;
    }
}

// Splits "--name=value" and takes the value of "--name value" from the next word.
struct Arguments {
    int argc;
    const char* const* argv;
    int next = 1;

    bool more() const { return next < argc; }
    std::string word() { return argv[next++]; }
    std::string valueOf(const std::string& option, const std::string& inlineValue, bool hasInline) {
        if (hasInline) return inlineValue;
        if (!more()) throw OptionError(option + " needs a value");
        return word();
    }
};

}  // namespace

DemoMark parseDemoMark(const std::string& text) {
    DemoMark mark;
    mark.text = text;
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        long long order = 0, row = 0;
        if (!wholeNumber(text.substr(0, colon), order) ||
            !wholeNumber(text.substr(colon + 1), row) || order < 0 || row < 0 || order > 255 ||
            row > 255) {
            throw OptionError("a position is ORDER:ROW (0 to 255 each) or seconds, not '" + text +
                              "'");
        }
        mark.byPosition = true;
        mark.order = static_cast<unsigned>(order);
        mark.row = static_cast<unsigned>(row);
        return mark;
    }
    char* end = nullptr;
    mark.seconds = text.empty() ? -1.0 : std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(mark.seconds) || mark.seconds < 0.0 ||
        text.find_first_not_of("0123456789.") != std::string::npos) {
        throw OptionError("a position is ORDER:ROW (0 to 255 each) or seconds, not '" + text + "'");
    }
    return mark;
}

FrameRate parseFrameRate(const std::string& text) {
    const std::size_t slash = text.find('/');
    long long numerator = 0, denominator = 1;
    const bool read = slash == std::string::npos
                          ? wholeNumber(text, numerator)
                          : wholeNumber(text.substr(0, slash), numerator) &&
                                wholeNumber(text.substr(slash + 1), denominator);
    if (!read || numerator <= 0 || denominator <= 0 || denominator > 100000 ||
        numerator > 1000 * denominator) {
        throw OptionError(
            "--fps wants a positive whole number or fraction (like 60000/1001) up to "
            "1000 frames a second, not '" +
            text + "'");
    }
    return FrameRate{numerator, denominator};
}

CaptureOptions parseCaptureOptions(int argc, const char* const* argv) {
    CaptureOptions options;
    Arguments args{argc, argv};
    bool outputGiven = false, scaleGiven = false;
    while (args.more()) {
        OptionWord word = splitOptionWord(args.word());
        const std::string& option = word.name;
        auto value = [&] { return args.valueOf(option, word.value, word.hasValue); };
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--overwrite" || option == "-y") {
            options.overwrite = true;
        } else if (option == "--render-all") {
            options.renderAll = true;
        } else if (option == "--fps") {
            options.rate = parseFrameRate(value());
        } else if (option == "--scale") {
            options.scale = integerIn(option, value(), 1, 8);
            scaleGiven = true;
        } else if (option == "--size") {
            parseSize(value(), options);
        } else if (option == "--crf") {
            options.crf = integerIn(option, value(), 0, 51);
        } else if (option == "--still") {
            for (const DemoMark& mark : parseMarks(value())) options.stills.push_back(mark);
        } else if (option == "--out-dir") {
            options.outDir = value();
        } else if (option == "--from") {
            options.from = parseDemoMark(value());
        } else if (option == "--to") {
            options.to = parseDemoMark(value());
        } else if (option == "--stats") {
            options.stats = true;
        } else if (option.size() > 1 && option[0] == '-') {
            throw OptionError("unknown option '" + option + "'");
        } else if (outputGiven) {
            throw OptionError("one output file only ('" + options.output + "' and '" + option +
                              "')");
        } else {
            options.output = option;
            outputGiven = true;
        }
    }
    if (options.help || options.version) return options;
    if (scaleGiven && options.fitWidth > 0) throw OptionError("--scale and --size do not mix");
    if (options.from && options.to && options.from->byPosition == options.to->byPosition) {
        const DemoMark& from = *options.from;
        const DemoMark& to = *options.to;
        const bool empty = from.byPosition ? (to.order < from.order ||
                                              (to.order == from.order && to.row <= from.row))
                                           : to.seconds <= from.seconds;
        if (empty) throw OptionError("--to " + to.text + " is not after --from " + from.text);
    }
    if (!options.stills.empty()) {
        if (options.outDir.empty()) throw OptionError("--still needs --out-dir DIR");
        if (outputGiven || options.from || options.to || options.crf) {
            throw OptionError(
                "--still writes pictures only: no output file, --from, --to or --crf");
        }
    } else if (!options.outDir.empty()) {
        throw OptionError("--out-dir goes with --still");
    }
    return options;
}

std::string captureHelp() {
    return R"(Usage: velmora-capture [OPTIONS] [FILE]
  or:  velmora-capture --still POS[,POS...] --out-dir DIR [OPTIONS]

Renders the demo "Orvak 2002 - Velmora" without a window or a display, frame
by frame on a fixed clock, with its soundtrack rendered to the same sample,
into a video file (default velmora.mp4) or into still pictures. The same build
and options always give the same frames and the same samples. The data files
are read from data/ in the working directory, else from data/ beside this
program, else from the installed share/velmora/data.

FILE's ending chooses the container:
  .mp4    H.264 (yuv420p) and AAC, for watching and sharing (the default)
  .mkv    FFV1 and FLAC, lossless, for keeping
  .webp   animated WebP picture without sound, for previews

Options:
  --fps N           frames per second, a whole number or a fraction such as
                    60000/1001 (default 60); frame i shows the clock at i/N
  --scale N         enlarge the 640x480 picture N times (1 to 8), every
                    pixel a sharp N x N block
  --size WxH        fit the 4:3 picture into a W x H frame (both even), with
                    black bars and a smooth filter, e.g. --size 1920x1080
  --crf N           H.264 quality, 0 (lossless) to 51 (default 20)
  --from POS        write from the first frame at or past POS on
  --to POS          stop before the first frame at or past POS; the sound is
                    cut to the same stretch
  --still POS[,POS...]
                    write the frame shown at each POS as a PNG picture,
                    DIR/ORDER-ROW.png or DIR/SECONDSs.png, and stop
  --out-dir DIR     the folder for --still pictures (made when missing)
  -y, --overwrite   replace output files that are already there (without
                    it, an existing file is refused before rendering)
  --render-all      draw every frame in full, also those before --from or a
                    still (slower; the pictures written are the same)
  --stats           at the end, print frames per second, the speed against
                    real time and where the time went
  -h, --help        this text
  --version         the version

POS is ORDER:ROW of the music (e.g. 12:0) or seconds of the demo's clock
(e.g. 42.5). The run ends where the demo ends: at order 38 row 3, or with the
music; a POS at or past the end is refused. The frames before --from or a
still are still run through the demo, so what is written is exactly what a
viewer sees, but they are drawn state-only (no pixels), which is several
times faster.

On a terminal a progress bar shows the frame, the music position, the speed
and the time left; otherwise a line is printed every 10 %. Ctrl-C, SIGTERM
or SIGHUP stop the run and leave a playable file of what was written. When
writing fails (a full disk), the message names the file and the unfinished
file is removed.

Exit status: 0 done, 1 the demo, the encoder or the output failed (its
message is on stderr), 2 a bad command line, 130 stopped by Ctrl-C (SIGINT),
143 by SIGTERM, 129 by SIGHUP.
)";
}

std::string captureVersion() { return velmoraVersionText("velmora-capture"); }
