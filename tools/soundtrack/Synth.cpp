// Synth: every instrument of the soundtrack built from sines, saws and
// filtered noise. Looped tones hold a whole number of cycles in the loop so
// the loop point is seamless; one-shot drums simply decay to silence.
#include "tools/soundtrack/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double twoPi = 6.283185307179586;

double seconds(int frame) { return static_cast<double>(frame) / Synth::sampleRate; }

int frames(double secondsLong) { return static_cast<int>(secondsLong * Synth::sampleRate); }

// One-pole smoothing: the building block of every noise colour here.
class OnePole {
public:
    explicit OnePole(double cutoffHz) { setCutoff(cutoffHz); }
    void setCutoff(double cutoffHz) { gain = 1.0 - std::exp(-twoPi * cutoffHz / Synth::sampleRate); }
    double lowPass(double x) { return state += gain * (x - state); }
    double highPass(double x) { return x - lowPass(x); }

private:
    double gain = 0.0;
    double state = 0.0;
};

std::uint32_t roundedSpeed(double hz) { return static_cast<std::uint32_t>(std::lround(hz)); }

// A periodic tone of `cycleFrames` frames a cycle whose harmonic amplitudes may
// change with time; once `amplitude` stops depending on time the last
// `loopCycles` cycles repeat exactly.
template <typename Amplitude>
std::vector<double> periodicTone(int cycleFrames, int cycles, int harmonics, Amplitude amplitude) {
    std::vector<double> table(static_cast<std::size_t>(cycleFrames));
    for (int i = 0; i < cycleFrames; ++i) table[static_cast<std::size_t>(i)] = std::sin(twoPi * i / cycleFrames);
    std::vector<double> wave(static_cast<std::size_t>(cycleFrames) * static_cast<std::size_t>(cycles), 0.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k) {
            const std::size_t index = (static_cast<std::size_t>(k) * i) % static_cast<std::size_t>(cycleFrames);
            sum += amplitude(k, t) * table[index];
        }
        wave[i] = sum;
    }
    return wave;
}

}  // namespace

double Synth::Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483647.5 - 1.0;
}

ItSample Synth::finish(const char* name, const char* fileName, const std::vector<double>& wave,
                       double peak) {
    double largest = 1e-12;
    for (double v : wave) largest = std::max(largest, std::fabs(v));
    ItSample sample;
    sample.name = name;
    sample.fileName = fileName;
    sample.c5Speed = sampleRate;
    sample.data.reserve(wave.size());
    for (double v : wave) {
        sample.data.push_back(static_cast<std::int16_t>(std::lround(v / largest * peak * 32767.0)));
    }
    return sample;
}

ItSample Synth::kick() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.5)));
    Noise noise(0x4b1c);
    double phase = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        phase += twoPi * (46.0 + 150.0 * std::exp(-t / 0.028)) / sampleRate;
        const double body = std::sin(phase) * std::exp(-t / 0.2);
        const double click = noise.next() * std::exp(-t / 0.003) * 0.35;
        wave[i] = std::tanh(1.6 * (body + click));
    }
    return finish("kick", "kick.raw", wave, 0.97);
}

ItSample Synth::snare() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.32)));
    Noise noise(0x5a4e);
    OnePole bright(1800.0);
    OnePole soften(9000.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        phase += twoPi * (175.0 + 40.0 * std::exp(-t / 0.02)) / sampleRate;
        const double tone = std::sin(phase) * std::exp(-t / 0.045);
        const double hiss = soften.lowPass(bright.highPass(noise.next())) * std::exp(-t / 0.1);
        wave[i] = 0.55 * tone + 0.9 * hiss;
    }
    return finish("snare", "snare.raw", wave, 0.95);
}

ItSample Synth::clap() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.35)));
    Noise noise(0xc1a9);
    OnePole low(900.0);
    OnePole high(4200.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        // Three quick hand hits, then the room.
        double envelope = 0.0;
        for (double start : {0.0, 0.011, 0.022}) {
            if (t >= start) envelope = std::max(envelope, std::exp(-(t - start) / 0.006));
        }
        if (t >= 0.031) envelope = std::max(envelope, 0.8 * std::exp(-(t - 0.031) / 0.08));
        wave[i] = high.lowPass(low.highPass(noise.next())) * envelope;
    }
    return finish("clap", "clap.raw", wave, 0.95);
}

ItSample Synth::closedHat() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.09)));
    Noise noise(0x4a70);
    OnePole first(6500.0);
    OnePole second(6500.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        wave[i] = second.highPass(first.highPass(noise.next())) * std::exp(-t / 0.022);
    }
    return finish("closed hat", "chat.raw", wave, 0.9);
}

ItSample Synth::openHat() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.6)));
    Noise noise(0x09e7);
    OnePole first(5500.0);
    OnePole second(5500.0);
    // Square partials at unrelated frequencies give the metal its shimmer.
    const double metal[] = {410.6, 608.8, 739.2, 1045.4, 1080.0, 1600.0};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        double ring = 0.0;
        for (double f : metal) ring += std::sin(twoPi * f * t) > 0.0 ? 1.0 : -1.0;
        const double source = noise.next() + 0.12 * ring;
        wave[i] = second.highPass(first.highPass(source)) * std::exp(-t / 0.2) *
                  std::min(1.0, t / 0.002);
    }
    return finish("open hat", "ohat.raw", wave, 0.9);
}

ItSample Synth::bass() {
    constexpr int cycleFrames = 512;
    constexpr int cycles = 64;
    constexpr int loopCycles = 8;
    const double settleTime = seconds(cycleFrames * (cycles - loopCycles));
    // A saw whose upper harmonics close down like a filter after the attack.
    auto wave = periodicTone(cycleFrames, cycles, 48, [&](int k, double t) {
        const double settle = std::min(t, settleTime) / settleTime;
        const double closing = 0.02 + 0.22 * (1.0 - std::exp(-5.0 * settle));
        const double level = 1.0 - 0.3 * (1.0 - std::exp(-4.0 * settle));
        const double squareLean = k % 2 == 1 ? 1.0 : 0.6;
        return level * squareLean / k * std::exp(-closing * (k - 1));
    });
    ItSample sample = finish("bass", "bass.raw", wave, 0.9);
    sample.c5Speed = roundedSpeed(cycleFrames * middleC);
    sample.loop = true;
    sample.loopStart = static_cast<std::uint32_t>(cycleFrames * (cycles - loopCycles));
    sample.loopEnd = static_cast<std::uint32_t>(cycleFrames * cycles);
    return sample;
}

ItSample Synth::pad(bool bright) {
    // Every partial is a whole number of hertz, so one second of it is exactly
    // periodic and loops without a seam; the voices beat against each other.
    constexpr int loopFrames = sampleRate;
    const int attackFrames = frames(bright ? 0.18 : 0.3);
    const std::vector<int> voices = bright ? std::vector<int>{259, 262, 265, 524}
                                           : std::vector<int>{261, 262, 263, 131};
    const double rolloff = bright ? 22.0 : 9.0;
    std::vector<double> table(static_cast<std::size_t>(loopFrames));
    for (int i = 0; i < loopFrames; ++i) table[static_cast<std::size_t>(i)] = std::sin(twoPi * i / loopFrames);
    std::vector<double> wave(static_cast<std::size_t>(attackFrames + loopFrames), 0.0);
    Noise noise(bright ? 0xb417u : 0x9ad0u);
    for (int voice : voices) {
        const double voiceLevel = voice < 200 ? 0.5 : (voice > 400 ? 0.35 : 1.0);
        for (int k = 1; k * voice < 9500; ++k) {
            const double level = voiceLevel / k * std::exp(-k / rolloff);
            const auto offset = static_cast<std::int64_t>((noise.next() + 1.0) * 0.5 * (loopFrames - 1));
            const std::int64_t step = static_cast<std::int64_t>(k) * voice;
            for (std::size_t i = 0; i < wave.size(); ++i) {
                const std::int64_t index = (step * static_cast<std::int64_t>(i) + offset) % loopFrames;
                wave[i] += level * table[static_cast<std::size_t>(index)];
            }
        }
    }
    for (int i = 0; i < attackFrames; ++i) {
        const double x = static_cast<double>(i) / attackFrames;
        wave[static_cast<std::size_t>(i)] *= x * x * (3.0 - 2.0 * x);
    }
    ItSample sample = finish(bright ? "bright pad" : "pad", bright ? "padhi.raw" : "pad.raw", wave, 0.85);
    sample.c5Speed = roundedSpeed(static_cast<double>(sampleRate) * middleC / 262.0);
    sample.loop = true;
    sample.loopStart = static_cast<std::uint32_t>(attackFrames);
    sample.loopEnd = static_cast<std::uint32_t>(attackFrames + loopFrames);
    return sample;
}

ItSample Synth::pluck() {
    std::vector<double> wave(static_cast<std::size_t>(frames(0.9)));
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        double sum = 0.0;
        for (int k = 1; k <= 18; ++k) {
            sum += std::sin(twoPi * k * middleC * t) / k * std::exp(-t * (3.0 + 1.6 * k));
        }
        wave[i] = sum * std::min(1.0, t / 0.002);
    }
    return finish("pluck", "pluck.raw", wave, 0.9);
}

ItSample Synth::bell() {
    std::vector<double> wave(static_cast<std::size_t>(frames(1.6)));
    struct Partial {
        double ratio, level, decaySeconds;
    };
    const Partial partials[] = {{1.0, 1.0, 0.9}, {2.0, 0.45, 0.5}, {3.0, 0.2, 0.3}, {4.16, 0.12, 0.15}};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        double sum = 0.0;
        for (const Partial& p : partials) {
            sum += p.level * std::sin(twoPi * p.ratio * middleC * t) * std::exp(-t / p.decaySeconds);
        }
        wave[i] = sum * std::min(1.0, t / 0.003);
    }
    return finish("bell", "bell.raw", wave, 0.9);
}

ItSample Synth::lead(double detuneCents) {
    constexpr int cycleFrames = 256;
    constexpr int cycles = 96;
    constexpr int loopCycles = 16;
    const double settleTime = seconds(cycleFrames * (cycles - loopCycles));
    // Between a square and a saw, a little brighter at the start of each note.
    auto wave = periodicTone(cycleFrames, cycles, 40, [&](int k, double t) {
        const double settle = std::min(t, settleTime) / settleTime;
        const double shine = 0.05 + 0.05 * (1.0 - std::exp(-4.0 * settle));
        return (k % 2 == 1 ? 1.0 : 0.45) / k * std::exp(-shine * (k - 1));
    });
    ItSample sample = finish(detuneCents == 0.0 ? "lead" : "lead chorus",
                             detuneCents == 0.0 ? "lead.raw" : "lead2.raw", wave, 0.85);
    sample.c5Speed = roundedSpeed(cycleFrames * middleC * std::pow(2.0, detuneCents / 1200.0));
    sample.loop = true;
    sample.loopStart = static_cast<std::uint32_t>(cycleFrames * (cycles - loopCycles));
    sample.loopEnd = static_cast<std::uint32_t>(cycleFrames * cycles);
    return sample;
}

ItSample Synth::impact() {
    std::vector<double> wave(static_cast<std::size_t>(frames(3.6)));
    Noise noise(0x1a9c7);
    OnePole sweep(9000.0);
    OnePole tail(700.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(static_cast<int>(i));
        phase += twoPi * (34.0 + 90.0 * std::exp(-t / 0.1)) / sampleRate;
        const double boom = std::sin(phase) * std::exp(-t / 0.8);
        const double n = noise.next();
        // The crack closes from bright to dark as it fades.
        sweep.setCutoff(300.0 + 8700.0 * std::exp(-t / 0.12));
        const double crack = sweep.lowPass(n) * std::exp(-t / 0.3) * 1.4;
        const double rumble = tail.lowPass(n) * std::exp(-t / 1.3) * 1.2;
        const double fadeOut = std::min(1.0, (3.6 - t) / 0.4);
        wave[i] = std::tanh(1.3 * (boom + crack + rumble)) * fadeOut;
    }
    return finish("impact", "impact.raw", wave, 0.97);
}
