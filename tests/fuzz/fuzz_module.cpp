// fuzz_module: the music player's load path on any bytes, without an audio
// device: our file checks and libopenmpt's loader, then up to two seconds of
// playback through the offline output. A load either fails with "Error bass
// init" or plays; once the end position is reported it stays, and
// musicEnded is never raised before it.
#include "demo/music/MusicPlayer.h"
#include "demo/music/OfflineAudioOutput.h"
#include "shell/CError.h"
#include "tests/fuzz/FuzzOutcome.h"
#include "tests/fuzz/MemoryFile.h"

#include <libopenmpt/libopenmpt.hpp>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t bufferFrames = 1024;  // what the SDL device asks for
constexpr int maxBuffers = 2 * AudioOutput::sampleRate / bufferFrames;

// What libopenmpt made of the file: its format and the module's shape.
void noteLoaded(const openmpt::module& module) {
    fuzzOutcome::note(0, std::hash<std::string>{}(module.get_metadata("type")));
    fuzzOutcome::note(1, fuzzOutcome::magnitude(module.get_num_channels()));
    fuzzOutcome::note(2, fuzzOutcome::magnitude(module.get_num_orders()));
    fuzzOutcome::note(3, fuzzOutcome::magnitude(module.get_num_patterns()));
    fuzzOutcome::note(4, fuzzOutcome::magnitude(module.get_num_instruments()));
    fuzzOutcome::note(5, fuzzOutcome::magnitude(module.get_num_samples()));
}

bool atEnd(MusicPlayer& player) {
    return player.order() == ModuleRenderer::endPosition && player.row() == ModuleRenderer::endPosition;
}

void play(MusicPlayer& player, OfflineAudioOutput& output) {
    static std::vector<float> buffer(bufferFrames * AudioOutput::channels);
    player.play();
    bool ended = false;
    for (int i = 0; i < maxBuffers; ++i) {
        output.render(buffer.data(), bufferFrames);
        if (musicEnded && !atEnd(player)) std::abort();
        if (ended && !atEnd(player)) std::abort();
        ended = atEnd(player);
        if (musicEnded) return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    file.assign(data, size);
    musicEnded = false;
    OfflineAudioOutput output;
    try {
        MusicPlayer player(file.path(), output);
        noteLoaded(*player.music);
        play(player, output);
        fuzzOutcome::note(6, musicEnded);
    } catch (const CError& error) {
        if (error.message() != "Error bass init") std::abort();
    }
    return 0;
}
