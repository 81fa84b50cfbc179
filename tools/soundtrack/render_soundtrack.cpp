// render_soundtrack: plays a module through libopenmpt, the way the demo hears
// it (44.1 kHz stereo, played once), into a 16-bit WAV file, so the music can
// be measured and drawn (sox spectrogram) without a sound card.
// Usage: render_soundtrack <module> <output.wav>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

constexpr int rate = 44100;

void putLe(std::ostream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::int16_t toPcm(float value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: render_soundtrack <module> <output.wav>\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        openmpt::module module(bytes, std::cerr);
        std::vector<std::int16_t> pcm;
        std::vector<float> left(4096), right(4096);
        while (const std::size_t got = module.read(rate, left.size(), left.data(), right.data())) {
            for (std::size_t i = 0; i < got; ++i) {
                pcm.push_back(toPcm(left[i]));
                pcm.push_back(toPcm(right[i]));
            }
        }
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error(std::string("cannot create ") + argv[2]);
        const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
        out.write("RIFF", 4);
        putLe(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        putLe(out, 16, 4);
        putLe(out, 1, 2);  // PCM
        putLe(out, 2, 2);
        putLe(out, rate, 4);
        putLe(out, rate * 4, 4);
        putLe(out, 4, 2);
        putLe(out, 16, 2);
        out.write("data", 4);
        putLe(out, dataBytes, 4);
        for (std::int16_t sample : pcm) putLe(out, static_cast<std::uint16_t>(sample), 2);
        if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "render_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
