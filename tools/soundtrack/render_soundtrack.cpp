// render_soundtrack: plays a module through libopenmpt, the way the demo hears
// it (44.1 kHz stereo, played once), into a 16-bit WAV file, so the music can
// be listened to, measured and drawn (sox spectrogram) without a sound card.
// Usage: render_soundtrack <module> <output.wav>
#include "tools/commandline/CommandLine.h"
#include "tools/soundtrack/ModuleRender.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void putLe(std::ostream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::uint16_t toPcm(float value) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f)));
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "render_soundtrack",
                           "Usage: render_soundtrack MODULE OUTPUT.wav\n"
                           "Plays MODULE through libopenmpt as the demo hears it (44.1 kHz\n"
                           "stereo, once through) into a 16-bit WAV file.\n",
                           {}, 2, 2);
    const std::string output = line.operands()[1];
    try {
        const ModuleRender render(readModuleFile(line.operands()[0]));
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot create " + output);
        const auto dataBytes = static_cast<std::uint32_t>(render.frames() * 4);
        out.write("RIFF", 4);
        putLe(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        putLe(out, 16, 4);
        putLe(out, 1, 2);  // PCM
        putLe(out, 2, 2);
        putLe(out, ModuleRender::rate, 4);
        putLe(out, ModuleRender::rate * 4, 4);
        putLe(out, 4, 2);
        putLe(out, 16, 2);
        out.write("data", 4);
        putLe(out, dataBytes, 4);
        for (std::size_t i = 0; i < render.frames(); ++i) {
            putLe(out, toPcm(render.left[i]), 2);
            putLe(out, toPcm(render.right[i]), 2);
        }
        if (!out) throw std::runtime_error("cannot write " + output);
    } catch (const std::exception& error) {
        std::cerr << "render_soundtrack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
