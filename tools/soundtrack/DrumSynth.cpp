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
    // Driven hard, so the body is nearly square: a kick as loud as the snare
    // without a peak that towers over the rest; a short knock of noise gives
    // it an edge small speakers can play.
    std::vector<double> wave(frames(0.42));
    Noise noise(0x4b1c);
    OnePole knockLow(1800.0), knockHigh(5000.0);
    FallingSine drum(50.0, 190.0, 0.03);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double body = drum.next() * (0.75 * std::exp(-t / 0.16) + 0.25 * std::exp(-t / 0.06));
        const double knock = knockHigh.lowPass(knockLow.highPass(noise.next())) * std::exp(-t / 0.006) * 1.8;
        const double fadeOut = std::min(1.0, (0.42 - t) / 0.04);
        wave[i] = std::tanh(2.8 * (body + knock)) * fadeOut;
    }
    return finish("kick", "kick.raw", wave, 0.97);
}

ItSample DrumSynth::snare(int side) {
    // A tight crack, squeezed flat for its first 50 ms and then gone fast,
    // the way a compressed and gated snare sounds: loud for its peak, short
    // in the mix. The wires' hiss stays under 7 kHz, in a small room.
    std::vector<double> wave(frames(0.2));
    Noise noise(0x5a4e);
    OnePole bright(1200.0);
    OnePole soften(6500.0), soften2(9000.0);
    FallingSine drum(190.0, 70.0, 0.012);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double hold = t < 0.05 ? 1.0 : std::exp(-(t - 0.05) / 0.028);
        const double tone = drum.next() * std::exp(-t / 0.05);
        const double hiss = soften2.lowPass(soften.lowPass(bright.highPass(noise.next())));
        wave[i] = std::tanh(4.0 * (0.8 * tone + 1.1 * hiss) * (0.35 + 0.65 * std::exp(-t / 0.03))) * hold *
                  std::min(1.0, t / 0.0015);
    }
    // The far side is mostly room: the crack sounds once, in the middle, and
    // the pair does not add two peaks into one.
    const Room room{0.62, 0.55, side == 0 ? 0.22 : 0.5, 0.22, side, side == 0 ? 1.0 : 0.25};
    return finish(side == 0 ? "snare" : "snare wide", side == 0 ? "snare.raw" : "snare2.raw",
                  room.around(wave), 0.95);
}

ItSample DrumSynth::clap(int side) {
    std::vector<double> wave(frames(0.18));
    Noise noise(0xc1a9);
    OnePole low(1000.0);
    OnePole high(4200.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        // Four quick hand hits, then the last one's body.
        double envelope = 0.0;
        for (double start : {0.0, 0.008, 0.016, 0.024}) {
            if (t >= start) envelope = std::max(envelope, std::exp(-(t - start) / 0.004));
        }
        if (t >= 0.024) envelope = std::max(envelope, 0.9 * std::exp(-(t - 0.024) / 0.04));
        wave[i] = std::tanh(3.0 * high.lowPass(low.highPass(noise.next())) * envelope);
    }
    const Room room{0.66, 0.5, side == 0 ? 0.3 : 0.6, 0.25, side, side == 0 ? 1.0 : 0.25};
    return finish(side == 0 ? "clap" : "clap wide", side == 0 ? "clap.raw" : "clap2.raw", room.around(wave), 0.95);
}

ItSample DrumSynth::closedHat() {
    // Noise and a little metal, a touch driven: a tick that cuts through.
    std::vector<double> wave(frames(0.1));
    Noise noise(0x4a70);
    OnePole first(5500.0), second(5500.0), air(14000.0);
    const double partials[6] = {410.6, 608.8, 739.2, 1045.4, 1080.0, 1600.0};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double source = noise.next() + 0.5 * metal(partials, t) * metal(partials, 1.37 * t);
        const double envelope = std::exp(-t / 0.04) * std::min(1.0, t / 0.0005);
        wave[i] = std::tanh(1.8 * air.lowPass(second.highPass(first.highPass(source))) * envelope);
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
    OnePole first(2800.0), second(2800.0), air(11000.0), smooth(9000.0), smoother(9000.0);
    const double partials[6] = {331.0, 467.3, 588.7, 792.1, 1011.9, 1376.2};
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double ring = metal(partials, t) * metal(partials, t * 1.4142);  // ring modulation: denser metal
        const double hiss = air.lowPass(noise.next());
        // The squares' edges smoothed away: a wash without needle peaks.
        const double body = smoother.lowPass(smooth.lowPass(second.highPass(first.highPass(0.8 * hiss + 0.6 * ring))));
        // A bright splash at the strike, then a long wash that stays loud
        // enough to be heard over a full band.
        const double envelope = 0.4 * std::exp(-t / 0.06) + 0.6 * std::exp(-t / 1.0);
        const double fadeOut = std::min(1.0, (2.6 - t) / 0.3);
        wave[i] = std::tanh(4.0 * body * envelope) * std::min(1.0, t / 0.001) * fadeOut;
    }
    return finish("crash", "crash.raw", wave, 0.95);
}

ItSample DrumSynth::impact() {
    // The weight of every accent in one sound: a kick's boom, a crack that
    // closes from bright to dark and a rumble, summed and then driven as one,
    // so the hit is as loud as a kick, a snare and a cymbal together with
    // hardly more peak than one of them. It plays instead of the kick.
    // Full for about a third of a second, then gone within a second: the
    // sphere's jolts come less than a second apart.
    std::vector<double> wave(frames(1.2));
    Noise noise(0x1a9c7);
    OnePole sweep(9000.0);
    OnePole tail(700.0);
    FallingSine drum(48.0, 170.0, 0.028);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        const double boom = drum.next() * (0.9 * std::exp(-t / 0.2) + 0.1 * std::exp(-t / 0.6));
        const double n = noise.next();
        sweep.setCutoff(300.0 + 8700.0 * std::exp(-t / 0.15));
        const double crack = sweep.lowPass(n) * std::exp(-t / 0.12) * 1.2;
        const double rumble = tail.lowPass(n) * std::exp(-t / 0.3) * 0.6;
        const double fadeOut = std::min(1.0, (1.2 - t) / 0.3);
        wave[i] = std::tanh(4.0 * (boom + crack + rumble)) * fadeOut;
    }
    return finish("impact", "impact.raw", wave, 0.97);
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
