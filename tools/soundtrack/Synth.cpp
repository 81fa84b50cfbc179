// Synth: every pitched instrument from sines and saws. Looped tones hold a
// whole number of cycles (or of seconds) in the loop, so the loop point is
// seamless; struck tones carry their room in the sample.
#include "tools/soundtrack/Synth.h"

#include "tools/soundtrack/Room.h"
#include "tools/soundtrack/Waveform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace waveform;

namespace {

// Sums detuned saw voices whose partials are whole hertz, so one second of
// the sum is exactly periodic; each partial starts at a seeded phase.
std::vector<double> wholeHertzVoices(const std::vector<int>& voices, double rolloff, std::uint32_t seed) {
    constexpr int loopFrames = sampleRate;
    std::vector<double> table(static_cast<std::size_t>(loopFrames));
    for (int i = 0; i < loopFrames; ++i) table[static_cast<std::size_t>(i)] = std::sin(twoPi * i / loopFrames);
    std::vector<double> wave(static_cast<std::size_t>(loopFrames), 0.0);
    Noise noise(seed);
    for (int voice : voices) {
        const double voiceLevel = voice < 200 ? 0.5 : (voice > 400 ? 0.35 : 1.0);
        for (int k = 1; k * voice < 9500; ++k) {
            const double level = voiceLevel / k * std::exp(-k / rolloff);
            const auto offset = static_cast<std::int64_t>((noise.next() + 1.0) * 0.5 * (loopFrames - 1));
            const std::int64_t step = static_cast<std::int64_t>(k) * voice;
            for (std::size_t i = 0; i < wave.size(); ++i) {
                wave[i] += level * table[static_cast<std::size_t>((step * static_cast<std::int64_t>(i) + offset) % loopFrames)];
            }
        }
    }
    return wave;
}

}  // namespace

ItSample Synth::bass() {
    constexpr int cycleFrames = 512;
    constexpr int cycles = 64;
    constexpr int loopCycles = 8;
    const double settleTime = seconds(cycleFrames * (cycles - loopCycles));
    // A saw whose upper harmonics close down like a filter after the attack,
    // driven so its growl carries on small speakers without more peak.
    auto wave = periodicTone(cycleFrames, cycles, 48, [&](int k, double t) {
        const double settle = std::min(t, settleTime) / settleTime;
        const double closing = 0.02 + 0.14 * (1.0 - std::exp(-5.0 * settle));
        const double level = 1.0 - 0.3 * (1.0 - std::exp(-4.0 * settle));
        const double squareLean = k % 2 == 1 ? 1.0 : 0.6;
        return level * squareLean / k * std::exp(-closing * (k - 1));
    });
    for (double& value : wave) value = std::tanh(1.6 * value);
    ItSample sample = finish("bass", "bass.raw", wave, 0.9);
    loopAt(sample, static_cast<std::size_t>(cycleFrames * (cycles - loopCycles)), sampleRate / double(cycleFrames));
    return sample;
}

ItSample Synth::pad(int side) {
    const std::vector<int> voices = side == 0 ? std::vector<int>{259, 262, 264, 131} : std::vector<int>{260, 263, 265, 130};
    ItSample sample = finish(side == 0 ? "pad left" : "pad right", side == 0 ? "padl.raw" : "padr.raw",
                             wholeHertzVoices(voices, 9.0, side == 0 ? 0x9ad0u : 0x3c71u), 0.85);
    loopAt(sample, 0, 262.0);
    return sample;
}

ItSample Synth::brightPad() {
    ItSample sample = finish("bright pad", "padhi.raw", wholeHertzVoices({259, 262, 265, 524}, 22.0, 0xb417u), 0.85);
    loopAt(sample, 0, 262.0);
    return sample;
}

ItSample Synth::pluck() {
    std::vector<double> wave(frames(0.7));
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        double sum = 0.0;
        for (int k = 1; k <= 18; ++k) sum += std::sin(twoPi * k * middleC * t) / k * std::exp(-t * (3.0 + 1.6 * k));
        wave[i] = sum * std::min(1.0, t / 0.002);
    }
    const Room room{0.8, 0.45, 0.35, 0.8, 0};
    return finish("pluck", "pluck.raw", room.around(wave), 0.9);
}

ItSample Synth::bell() {
    std::vector<double> wave(frames(1.4));
    struct Partial {
        double ratio, level, decaySeconds;
    };
    const Partial partials[] = {{1.0, 1.0, 0.9}, {2.0, 0.45, 0.5}, {3.0, 0.2, 0.3}, {4.16, 0.12, 0.15}};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        double sum = 0.0;
        for (const Partial& p : partials) sum += p.level * std::sin(twoPi * p.ratio * middleC * t) * std::exp(-t / p.decaySeconds);
        wave[i] = sum * std::min(1.0, t / 0.003);
    }
    const Room room{0.85, 0.3, 0.4, 1.0, 1};
    return finish("bell", "bell.raw", room.around(wave), 0.9);
}

ItSample Synth::lead(double detuneCents) {
    constexpr int cycleFrames = 256;
    constexpr int cycles = 96;
    constexpr int loopCycles = 16;
    const double settleTime = seconds(cycleFrames * (cycles - loopCycles));
    // A bright saw with a hollow lean, brightest at the start of each note:
    // a voice that carries a melody over the whole band.
    auto wave = periodicTone(cycleFrames, cycles, 40, [&](int k, double t) {
        const double settle = std::min(t, settleTime) / settleTime;
        const double shine = 0.002 + 0.012 * (1.0 - std::exp(-4.0 * settle));
        return (k % 2 == 1 ? 1.0 : 0.8) / k * std::exp(-shine * (k - 1));
    });
    ItSample sample = finish(detuneCents == 0.0 ? "lead" : "lead chorus", detuneCents == 0.0 ? "lead.raw" : "lead2.raw",
                             wave, 0.85);
    loopAt(sample, static_cast<std::size_t>(cycleFrames * (cycles - loopCycles)),
           sampleRate / double(cycleFrames) / std::pow(2.0, detuneCents / 1200.0));
    return sample;
}

ItSample Synth::stab() {
    // A power chord - root, octave and the fifth above it, all harmonics of
    // the root, so it fits any chord built on the note it plays - driven
    // into a near-square: a stab a meter hears, with hardly more peak than
    // one voice.
    std::vector<double> wave(frames(0.5));
    Noise noise(0x57ab);
    OnePole click(2500.0);
    struct Voice {
        double ratio, level, phase;
    };
    Voice voices[] = {{0.993, 1.0, 0.0}, {1.0, 1.0, 0.33}, {1.007, 1.0, 0.71}, {2.0, 0.7, 0.5}, {3.0, 0.5, 0.2}};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        double saw = 0.0;
        for (Voice& voice : voices) {
            voice.phase += middleC * voice.ratio / sampleRate;
            voice.phase -= std::floor(voice.phase);
            saw += voice.level * (2.0 * voice.phase - 1.0);
        }
        // Held loud for most of a beat, then let go.
        const double body = saw / 4.2 * (0.7 + 0.3 * std::exp(-t / 0.15)) * std::min(1.0, (0.5 - t) / 0.12);
        const double snap = click.highPass(noise.next()) * std::exp(-t / 0.008);
        wave[i] = std::tanh(4.0 * (body + 0.6 * snap)) * std::min(1.0, t / 0.001);
    }
    const Room room{0.8, 0.4, 0.3, 0.6, 0};
    return finish("stab", "stab.raw", room.around(wave), 0.95);
}
