// module_digest: the first seconds of a module as the demo's own renderer
// plays it, one line per call of 1024 frames — the order and row it stands
// at and a hash of the samples' bytes. Built natively against Debian's
// libopenmpt and with emscripten against the one built for the web, so the
// two lines can be compared for equality.
#include "demo/music/ModuleRenderer.h"
#include "demo/music/MusicPosition.h"

#include <libopenmpt/libopenmpt.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

// The player's flag, which this program does not link.
std::atomic<bool> musicEnded{false};

namespace {

std::uint64_t fnv1a(const void* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: module_digest MODULE SECONDS\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "module_digest: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream log;
    openmpt::module module(bytes, log);
    module.set_repeat_count(0);
    ModuleRenderer renderer;
    renderer.attach(&module, 0);
    renderer.requestPlay();
    constexpr std::size_t frames = 1024;
    std::vector<float> stereo(frames * AudioOutput::channels);
    const long calls = std::atol(argv[2]) * AudioOutput::sampleRate / long(frames);
    for (long call = 0; call < calls; ++call) {
        renderer.render(stereo.data(), frames);
        const ModulePosition at = renderer.rowAt((call + 1) * long(frames) - 1).position;
        std::printf("%ld %u %u %016llx\n", call, at.order, at.row,
                    static_cast<unsigned long long>(fnv1a(stereo.data(), stereo.size() * sizeof(float))));
    }
    return 0;
}
