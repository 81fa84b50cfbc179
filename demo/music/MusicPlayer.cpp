// MusicPlayer: module loading through libopenmpt, playback through the
// caller's output, and the process-wide end-of-music flag.
#include "demo/music/MusicPlayer.h"

#include "shell/CError.h"

#include <libopenmpt/libopenmpt.hpp>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

std::atomic<bool> musicEnded{false};

namespace {

[[noreturn]] void failLoad(const std::string& fileName, const std::string& why) {
    std::fprintf(stderr, "velmora: cannot load the module %s: %s\n", fileName.c_str(), why.c_str());
    throw CError("Error bass init");
}

std::unique_ptr<openmpt::module> loadModule(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) failLoad(fileName, "cannot open the file");
    std::vector<char> bytes;
    try {
        // A directory opens but throws on the first read.
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::exception& error) {
        failLoad(fileName, std::string("cannot read the file (") + error.what() + ")");
    }
    if (file.bad()) failLoad(fileName, "cannot read the file");
    if (bytes.empty()) failLoad(fileName, "the file is empty");
    // The loader's chatter goes to a string: only a failure is worth a line.
    std::ostringstream log;
    try {
        auto module = std::make_unique<openmpt::module>(bytes, log);
        module->set_repeat_count(0);  // once through, then the end
        return module;
    } catch (const std::exception& error) {
        failLoad(fileName, std::string("not a module (") + error.what() + ")");
    }
}

}  // namespace

MusicPlayer::MusicPlayer(const std::string& fileName, AudioOutput& output)
    : fileName(fileName), music(loadModule(fileName)), output(output) {
    renderer.attach(music.get(), output.latencyFrames());
    output.connect(renderer);
}

MusicPlayer::~MusicPlayer() {
    // A device closed mid-song drops what it still holds, wherever the wave
    // stands: a click. Closed after a heard fade, it holds only silence.
    if (renderer.sounding()) {
        fadeOut();
        constexpr double fadeWaitSeconds = 0.5;  // several of the longest device buffers
        output.waitUntilHeard([this] { return renderer.silentFrom(); }, fadeWaitSeconds);
    }
    // The output stops pulling first: nothing renders from a freed module.
    output.disconnect();
    music.reset();
}

void MusicPlayer::play() {
    if (music) renderer.requestPlay();
}

void MusicPlayer::fadeOut() { renderer.requestFadeOut(); }

std::int64_t MusicPlayer::audibleFrame() { return output.audibleFrame(); }

RowStart MusicPlayer::rowAt(std::int64_t frame) { return renderer.rowAt(frame); }

void MusicPlayer::rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) {
    renderer.rowsStarted(after, upTo, rows);
}

unsigned MusicPlayer::order() { return rowAt(audibleFrame()).position.order; }

unsigned MusicPlayer::row() { return rowAt(audibleFrame()).position.row; }
