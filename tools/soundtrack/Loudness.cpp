// Loudness: libebur128 wants interleaved frames, so spans are fed in chunks
// through a small buffer. Its -inf (a gated-out or silent programme) reads as
// the -200 the other measures use for silence.
#include "tools/soundtrack/Loudness.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double silenceDb = -200.0;
constexpr std::size_t chunkFrames = 4096;

double readable(double lufs) { return std::isfinite(lufs) ? std::max(lufs, silenceDb) : silenceDb; }

void check(int status, const char* what) {
    if (status != EBUR128_SUCCESS) throw std::runtime_error(std::string("libebur128: ") + what + " failed");
}

}  // namespace

Loudness::Loudness(Peak peak)
    : state(ebur128_init(2, ModuleRender::rate,
                         EBUR128_MODE_S | EBUR128_MODE_I | (peak == Peak::read ? EBUR128_MODE_TRUE_PEAK : 0))) {
    if (state == nullptr) throw std::runtime_error("libebur128: cannot start a meter");
}

Loudness::~Loudness() { ebur128_destroy(&state); }

void Loudness::add(const ModuleRender& render, measure::Span span) {
    span.to = std::min(span.to, render.frames());
    std::vector<float> interleaved(2 * chunkFrames);
    for (std::size_t from = span.from; from < span.to; from += chunkFrames) {
        const std::size_t count = std::min(chunkFrames, span.to - from);
        for (std::size_t i = 0; i < count; ++i) {
            interleaved[2 * i] = render.left[from + i];
            interleaved[2 * i + 1] = render.right[from + i];
        }
        check(ebur128_add_frames_float(state, interleaved.data(), count), "adding frames");
        fed += count;
    }
}

double Loudness::integrated() const { return reading(ebur128_loudness_global, "integrated loudness"); }

double Loudness::momentary() const { return reading(ebur128_loudness_momentary, "momentary loudness"); }

double Loudness::shortTerm() const { return reading(ebur128_loudness_shortterm, "short-term loudness"); }

double Loudness::reading(int (*query)(ebur128_state*, double*), const char* what) const {
    double lufs = 0.0;
    check(query(state, &lufs), what);
    return readable(lufs);
}

double Loudness::truePeakDb() const {
    double peak = 0.0;
    for (unsigned channel = 0; channel < 2; ++channel) {
        double channelPeak = 0.0;
        check(ebur128_true_peak(state, channel, &channelPeak), "true peak");
        peak = std::max(peak, channelPeak);
    }
    return peak > 0.0 ? 20.0 * std::log10(peak) : silenceDb;
}

double Loudness::integratedOf(const ModuleRender& render, measure::Span span) {
    Loudness meter(Peak::notRead);
    meter.add(render, span);
    return meter.integrated();
}

double Loudness::truePeakOf(const ModuleRender& render, measure::Span span) {
    Loudness meter;
    meter.add(render, span);
    return meter.truePeakDb();
}

std::vector<double> Loudness::momentaryEndingAt(const ModuleRender& render, const std::vector<std::size_t>& frames) {
    if (!std::is_sorted(frames.begin(), frames.end())) throw std::invalid_argument("momentary readings out of order");
    Loudness meter(Peak::notRead);
    std::vector<double> readings;
    std::size_t at = 0;
    for (std::size_t frame : frames) {
        meter.add(render, {at, frame});
        at = std::max(at, std::min(frame, render.frames()));
        readings.push_back(meter.momentary());
    }
    return readings;
}

double Loudness::loudestShortTermOf(const ModuleRender& render, measure::Span span) {
    constexpr std::size_t step = ModuleRender::rate / 10;
    Loudness meter(Peak::notRead);
    double loudest = silenceDb;
    for (std::size_t from = span.from; from < std::min(span.to, render.frames()); from += step) {
        meter.add(render, {from, std::min(from + step, span.to)});
        if (meter.fed >= 3 * ModuleRender::rate) loudest = std::max(loudest, meter.shortTerm());
    }
    return loudest;
}
