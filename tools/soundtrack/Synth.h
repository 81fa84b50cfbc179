// Synth: the instruments of the demo's soundtrack, synthesised as 16-bit
// samples. Everything is computed from fixed formulas and a fixed-seed noise
// source, so the same module comes out on every run.
#pragma once

#include "tools/itwriter/ItWriter.h"

#include <cstdint>
#include <vector>

class Synth {
public:
    static constexpr int sampleRate = 44100;   // synthesis rate of every sample, Hz
    static constexpr double middleC = 261.6255653;  // what C-5 must sound at, Hz

    static ItSample kick();
    static ItSample snare();
    static ItSample clap();
    static ItSample closedHat();
    static ItSample openHat();
    static ItSample bass();
    // Soft detuned-saw pad; `bright` keeps more overtones and a fourth voice.
    static ItSample pad(bool bright);
    static ItSample pluck();
    static ItSample bell();
    // `detuneCents` shifts the sample's C-5 speed, so two copies chorus.
    static ItSample lead(double detuneCents);
    static ItSample impact();

private:
    // Deterministic white noise in -1..1 (xorshift32 with a fixed seed per sound).
    class Noise {
    public:
        explicit Noise(std::uint32_t seed) : state(seed ? seed : 1u) {}
        double next();

    private:
        std::uint32_t state;
    };

    static ItSample finish(const char* name, const char* fileName, const std::vector<double>& wave,
                           double peak);
};
