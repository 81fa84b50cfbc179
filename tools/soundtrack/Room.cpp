// Room: parallel damped feedback delays (the body of the tail) into a chain of
// all-pass diffusers (the density), the classic shape of a plate in code.
// The delays are primes, so no two paths ring at the same period.
#include "tools/soundtrack/Room.h"

#include "tools/soundtrack/Waveform.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

class DampedDelay {
public:
    explicit DampedDelay(std::size_t length) : buffer(length, 0.0) {}
    double operator()(double input, double feedback, double damping) {
        const double out = buffer[at];
        stored = out * (1.0 - damping) + stored * damping;
        buffer[at] = input + stored * feedback;
        at = (at + 1) % buffer.size();
        return out;
    }

private:
    std::vector<double> buffer;
    std::size_t at = 0;
    double stored = 0.0;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : buffer(length, 0.0) {}
    double operator()(double input) {
        const double delayed = buffer[at];
        buffer[at] = input + delayed * 0.5;
        at = (at + 1) % buffer.size();
        return delayed - input;
    }

private:
    std::vector<double> buffer;
    std::size_t at = 0;
};

}  // namespace

std::vector<double> Room::around(const std::vector<double>& dry) const {
    const std::size_t spread = side == 0 ? 0 : 29;
    std::vector<DampedDelay> paths;
    for (std::size_t length : {1103, 1201, 1301, 1399, 1493, 1597, 1699, 1801}) paths.emplace_back(length + spread);
    std::vector<AllPass> diffusers;
    for (std::size_t length : {557, 443, 347, 229}) diffusers.emplace_back(length + spread);

    const std::size_t tail = waveform::frames(tailSeconds);
    std::vector<double> out(dry.size() + tail, 0.0);
    const double inputGain = 0.02;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double x = i < dry.size() ? dry[i] : 0.0;
        double sum = 0.0;
        for (DampedDelay& path : paths) sum += path(x * inputGain, size, damping);
        for (AllPass& diffuser : diffusers) sum = diffuser(sum);
        out[i] = direct * x + wet * sum;
    }
    // The tail may still ring where the sample ends; it fades out over the last 150 ms.
    const std::size_t fade = std::min(out.size(), waveform::frames(0.15));
    for (std::size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= 0.5 - 0.5 * std::cos(waveform::twoPi * 0.5 * static_cast<double>(i) / fade);
    }
    return out;
}
