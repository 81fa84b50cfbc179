// compare_rendering <module> <recording> <seconds>: holds a raw 44100 Hz
// stereo float recording (SDL's "disk" audio driver) against libopenmpt's own
// rendering of the module, from the first audible frame of each, for the
// given seconds. Prints how far they differ; fails when they do, or when the
// recording is shorter.
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <sstream>
#include <vector>

#include "shell/DataFile.h"

namespace {

constexpr int sampleRate = 44100;
constexpr float audible = 1.0e-4f;
// The same library renders the same numbers, but for rounding where the
// device asked for other amounts at a time than this rendering does.
constexpr float tolerance = 1.0e-5f;

std::size_t firstAudible(const std::vector<float>& stereo) {
    for (std::size_t i = 0; i < stereo.size(); ++i) {
        if (std::fabs(stereo[i]) > audible) return i - i % 2;
    }
    return stereo.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: compare_rendering <module> <recording> <seconds>\n");
        return 2;
    }
    const DataFileContents module = readDataFile(argv[1]);
    const DataFileContents recording = readDataFile(argv[2]);
    if (!module.failure.empty() || !recording.failure.empty()) {
        std::fprintf(stderr, "compare_rendering: cannot read %s\n", module.failure.empty() ? argv[2] : argv[1]);
        return 2;
    }
    const std::size_t frames = static_cast<std::size_t>(std::atof(argv[3]) * sampleRate);

    std::vector<float> recorded(recording.bytes.size() / sizeof(float));
    std::memcpy(recorded.data(), recording.bytes.data(), recorded.size() * sizeof(float));
    const std::size_t recordedStart = firstAudible(recorded);
    if (recorded.size() < recordedStart + 2 * frames) {
        std::fprintf(stderr, "compare_rendering: the recording has %.3f s of sound, not %s\n",
                     static_cast<double>(recorded.size() - recordedStart) / 2 / sampleRate, argv[3]);
        return 1;
    }

    std::vector<float> rendered;
    try {
        std::ostringstream log;
        openmpt::module music(module.bytes, log);
        // Enough to skip the module's own silence at its start too.
        std::vector<float> chunk(2 * 4096);
        while (rendered.size() < recordedStart + 4 * frames) {
            const std::size_t got = music.read_interleaved_stereo(sampleRate, 4096, chunk.data());
            if (got == 0) break;
            rendered.insert(rendered.end(), chunk.begin(), chunk.begin() + 2 * got);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "compare_rendering: %s\n", error.what());
        return 2;
    }
    const std::size_t renderedStart = firstAudible(rendered);
    if (rendered.size() < renderedStart + 2 * frames) {
        std::fprintf(stderr, "compare_rendering: the module plays for less than %s s\n", argv[3]);
        return 2;
    }

    float largest = 0.0f;
    std::size_t firstDifferent = 2 * frames;
    for (std::size_t i = 0; i < 2 * frames; ++i) {
        const float difference = std::fabs(recorded[recordedStart + i] - rendered[renderedStart + i]);
        if (difference > tolerance && firstDifferent == 2 * frames) firstDifferent = i;
        if (difference > largest) largest = difference;
    }
    std::printf("%s s compared from the first audible frame: largest difference %g\n", argv[3],
                static_cast<double>(largest));
    if (firstDifferent < 2 * frames) {
        std::printf("first difference at %.4f s\n", static_cast<double>(firstDifferent / 2) / sampleRate);
        return 1;
    }
    return 0;
}
