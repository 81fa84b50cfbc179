// raw_audio_span <file>: for a raw 44100 Hz stereo float recording (SDL's
// "disk" audio driver), prints the seconds from the first audible frame to
// the end of the file — how much music played before the device closed.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: raw_audio_span <file>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "raw_audio_span: cannot read %s\n", argv[1]);
        return 2;
    }
    constexpr double sampleRate = 44100.0;
    constexpr float audible = 1.0e-4f;
    long frame = 0;
    long firstAudible = -1;
    float pair[2];
    while (in.read(reinterpret_cast<char*>(pair), sizeof pair)) {
        if (firstAudible < 0 && (std::fabs(pair[0]) > audible || std::fabs(pair[1]) > audible)) {
            firstAudible = frame;
        }
        ++frame;
    }
    if (firstAudible < 0) {
        std::printf("silent\n");
        return 1;
    }
    std::printf("%.3f\n", static_cast<double>(frame - firstAudible) / sampleRate);
    return 0;
}
