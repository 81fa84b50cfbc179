// DrumSynth: drums from swept sines and filtered noise, cymbals from square
// partials at unrelated frequencies (the metal) over bright noise. Snare,
// clap and impact carry their room in the sample.
#include "tools/soundtrack/DrumSynth.h"

#include "tools/soundtrack/Room.h"
#include "tools/soundtrack/Waveform.h"

#include <algorithm>
#include <cmath>

using namespace waveform;

namespace {

// Square partials at unrelated frequencies: the shimmer of struck metal.
double metal(const double (&partials)[6], double t) {
    double ring = 0.0;
    for (double f : partials) ring += std::sin(twoPi * f * t) > 0.0 ? 1.0 : -1.0;
    return ring / 6.0;
}

}  // namespace

ItSample DrumSynth::kick() {
    std::vector<double> wave(frames(0.5));
    Noise noise(0x4b1c);
    FallingSine drum(46.0, 150.0, 0.028);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double body = drum.next() * std::exp(-t / 0.2);
        const double click = noise.next() * std::exp(-t / 0.003) * 0.35;
        wave[i] = std::tanh(1.6 * (body + click));
    }
    return finish("kick", "kick.raw", wave, 0.97);
}

ItSample DrumSynth::snare(int side) {
    std::vector<double> wave(frames(0.3));
    Noise noise(0x5a4e);
    OnePole bright(1500.0);
    OnePole soften(10000.0);
    FallingSine drum(185.0, 60.0, 0.015);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double tone = drum.next() * std::exp(-t / 0.06);
        const double hiss = soften.lowPass(bright.highPass(noise.next())) * std::exp(-t / 0.13);
        // Driven a little, so the crack stays loud for longer than its peak.
        wave[i] = std::tanh(2.2 * (0.6 * tone + 0.9 * hiss));
    }
    const Room room{0.82, 0.4, 0.55, 0.7, side};
    return finish(side == 0 ? "snare" : "snare wide", side == 0 ? "snare.raw" : "snare2.raw",
                  room.around(wave), 0.95);
}

ItSample DrumSynth::clap(int side) {
    std::vector<double> wave(frames(0.3));
    Noise noise(0xc1a9);
    OnePole low(900.0);
    OnePole high(5000.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        // Four quick hand hits, then the last one's body.
        double envelope = 0.0;
        for (double start : {0.0, 0.009, 0.019, 0.028}) {
            if (t >= start) envelope = std::max(envelope, std::exp(-(t - start) / 0.005));
        }
        if (t >= 0.028) envelope = std::max(envelope, 0.9 * std::exp(-(t - 0.028) / 0.07));
        wave[i] = std::tanh(2.0 * high.lowPass(low.highPass(noise.next())) * envelope);
    }
    const Room room{0.84, 0.3, 0.6, 0.8, side};
    return finish(side == 0 ? "clap" : "clap wide", side == 0 ? "clap.raw" : "clap2.raw", room.around(wave), 0.95);
}

ItSample DrumSynth::closedHat() {
    std::vector<double> wave(frames(0.09));
    Noise noise(0x4a70);
    OnePole first(6500.0);
    OnePole second(6500.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        wave[i] = second.highPass(first.highPass(noise.next())) * std::exp(-seconds(i) / 0.022);
    }
    return finish("closed hat", "chat.raw", wave, 0.9);
}

ItSample DrumSynth::openHat() {
    std::vector<double> wave(frames(0.6));
    Noise noise(0x09e7);
    OnePole first(5500.0);
    OnePole second(5500.0);
    const double partials[6] = {410.6, 608.8, 739.2, 1045.4, 1080.0, 1600.0};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double source = noise.next() + 0.7 * metal(partials, t);
        wave[i] = second.highPass(first.highPass(source)) * std::exp(-t / 0.2) * std::min(1.0, t / 0.002);
    }
    return finish("open hat", "ohat.raw", wave, 0.9);
}

ItSample DrumSynth::tom() {
    std::vector<double> wave(frames(0.5));
    Noise noise(0x7011);
    OnePole soften(3000.0);
    FallingSine drum(middleC, 0.5 * middleC, 0.03);  // falls onto middle C
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double fundamental = drum.next();
        const double body = (fundamental + 0.3 * std::sin(2.0 * drum.phase())) * std::exp(-t / 0.16);
        const double skin = soften.lowPass(noise.next()) * std::exp(-t / 0.01);
        wave[i] = std::tanh(1.4 * (body + 0.8 * skin));
    }
    return finish("tom", "tom.raw", wave, 0.95);
}

ItSample DrumSynth::crash() {
    std::vector<double> wave(frames(2.6));
    Noise noise(0xc4a5);
    OnePole first(4000.0), second(4000.0), air(12000.0);
    const double partials[6] = {331.0, 467.3, 588.7, 792.1, 1011.9, 1376.2};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double ring = metal(partials, t) * metal(partials, t * 1.4142);  // ring modulation: denser metal
        const double hiss = air.lowPass(noise.next());
        const double body = second.highPass(first.highPass(0.8 * hiss + 0.6 * ring));
        // A bright splash at the strike, then the long wash.
        const double envelope = 0.55 * std::exp(-t / 0.09) + 0.45 * std::exp(-t / 0.9);
        const double fadeOut = std::min(1.0, (2.6 - t) / 0.3);
        wave[i] = body * envelope * std::min(1.0, t / 0.001) * fadeOut;
    }
    return finish("crash", "crash.raw", wave, 0.95);
}

ItSample DrumSynth::impact() {
    std::vector<double> wave(frames(3.0));
    Noise noise(0x1a9c7);
    OnePole sweep(9000.0);
    OnePole tail(700.0);
    FallingSine drum(34.0, 90.0, 0.1);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double boom = drum.next() * std::exp(-t / 0.7);
        const double n = noise.next();
        // The crack closes from bright to dark as it fades.
        sweep.setCutoff(300.0 + 8700.0 * std::exp(-t / 0.12));
        const double crack = sweep.lowPass(n) * std::exp(-t / 0.25) * 1.4;
        const double rumble = tail.lowPass(n) * std::exp(-t / 0.9) * 1.2;
        wave[i] = std::tanh(1.5 * (boom + crack + rumble));
    }
    const Room room{0.86, 0.5, 0.4, 0.6, 0};
    return finish("impact", "impact.raw", room.around(wave), 0.97);
}

ItSample DrumSynth::riser() {
    // Plain white noise; the instrument sweeps a resonant filter through it.
    std::vector<double> wave(frames(1.0));
    Noise noise(0x51e5);
    for (double& value : wave) value = noise.next();
    ItSample sample = finish("riser", "riser.raw", wave, 0.8);
    sample.loop = true;
    sample.loopStart = 0;
    sample.loopEnd = static_cast<std::uint32_t>(sample.data.size());
    return sample;
}
