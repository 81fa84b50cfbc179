// Waveform: the building blocks every synthesised sound of the soundtrack is
// made of - seeded noise, one-pole filters, periodic tones that loop without a
// seam - and the step that turns a computed wave into a 16-bit sample.
#pragma once

#include "tools/itwriter/ItWriter.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace waveform {

constexpr int sampleRate = 44100;               // synthesis rate of every sample, Hz
constexpr double middleC = 261.6255653;         // what C-5 must sound at, Hz
constexpr double twoPi = 6.283185307179586;

inline double seconds(std::size_t frame) { return static_cast<double>(frame) / sampleRate; }
inline std::size_t frames(double secondsLong) { return static_cast<std::size_t>(secondsLong * sampleRate); }

// Deterministic white noise in -1..1 (xorshift32 with a fixed seed per sound).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 1u) {}
    double next();

private:
    std::uint32_t state;
};

// One-pole smoothing: the building block of every noise colour here.
class OnePole {
public:
    explicit OnePole(double cutoffHz) { setCutoff(cutoffHz); }
    void setCutoff(double cutoffHz);
    double lowPass(double x) { return state += gain * (x - state); }
    double highPass(double x) { return x - lowPass(x); }

private:
    double gain = 0.0;
    double state = 0.0;
};

// A sine whose pitch falls from `restHz + dropHz` to `restHz` with the time
// constant `fallSeconds`: the body of a struck drum. next() gives one frame.
class FallingSine {
public:
    FallingSine(double restHz, double dropHz, double fallSeconds)
        : restHz(restHz), dropHz(dropHz), fallSeconds(fallSeconds) {}
    double next();
    double phase() const { return radians; }

private:
    double restHz, dropHz, fallSeconds;
    double radians = 0.0;
    std::size_t frame = 0;
};

// A periodic tone of `cycleFrames` frames a cycle whose harmonic amplitudes,
// amplitude(k, seconds), may change with time; once they stop changing the
// cycles repeat exactly, so a loop over whole cycles has no seam.
template <typename Amplitude>
std::vector<double> periodicTone(int cycleFrames, int cycles, int harmonics, Amplitude amplitude) {
    const auto cycle = static_cast<std::size_t>(cycleFrames);
    std::vector<double> table(cycle);
    for (std::size_t i = 0; i < cycle; ++i) table[i] = std::sin(twoPi * static_cast<double>(i) / cycleFrames);
    std::vector<double> wave(cycle * static_cast<std::size_t>(cycles), 0.0);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = seconds(i);
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k) {
            sum += amplitude(k, t) * table[(static_cast<std::size_t>(k) * i) % cycle];
        }
        wave[i] = sum;
    }
    return wave;
}

// The wave scaled so its largest value reaches `peak` (of full scale), as a
// one-shot sample at the synthesis rate.
ItSample finish(const char* name, const char* fileName, const std::vector<double>& wave, double peak);

// Loops the frames [loopStart, end) and sets the C-5 speed so that a wave
// whose pitch is `pitchHz` at the synthesis rate sounds middle C at C-5.
void loopAt(ItSample& sample, std::size_t loopStart, double pitchHz);

}  // namespace waveform
