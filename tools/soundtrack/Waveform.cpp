// Waveform: shared synthesis steps; everything is computed from fixed
// formulas and fixed seeds, so the same samples come out on every run.
#include "tools/soundtrack/Waveform.h"

#include <algorithm>
#include <cmath>

namespace waveform {

double Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483647.5 - 1.0;
}

double FallingSine::next() {
    radians += twoPi * (restHz + dropHz * std::exp(-seconds(frame++) / fallSeconds)) / sampleRate;
    return std::sin(radians);
}

void OnePole::setCutoff(double cutoffHz) { gain = 1.0 - std::exp(-twoPi * cutoffHz / sampleRate); }

ItSample finish(const char* name, const char* fileName, const std::vector<double>& wave, double peak) {
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

void loopAt(ItSample& sample, std::size_t loopStart, double pitchHz) {
    sample.loop = true;
    sample.loopStart = static_cast<std::uint32_t>(loopStart);
    sample.loopEnd = static_cast<std::uint32_t>(sample.data.size());
    sample.c5Speed = static_cast<std::uint32_t>(std::lround(sampleRate * middleC / pitchHz));
}

}  // namespace waveform
