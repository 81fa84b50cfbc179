// MusicPlayer: module loading through libopenmpt, playback through the
// caller's output, and the process-wide end-of-music flag.
#include "demo/music/MusicPlayer.h"

#include "shell/CError.h"

#include <libopenmpt/libopenmpt.hpp>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "demo/music/ModuleExtent.h"
#include "shell/DataFile.h"

std::atomic<bool> musicEnded{false};

namespace {

// libopenmpt loads what it can of a damaged file: what it noticed is in its
// log, but a module cut short plays silence where its samples were lost
// without a word, so the file's size is checked against its own tables.
void reportLoadWarnings(const std::string& fileName, const std::string& log,
                        const std::vector<unsigned char>& bytes) {
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) std::fprintf(stderr, "velmora: %s: %s\n", fileName.c_str(), line.c_str());
    }
    const std::size_t extent = moduleExtent(bytes);
    if (extent > bytes.size()) {
        std::fprintf(stderr,
                     "velmora: %s: cut short: the module points to byte %zu, the file ends at byte %zu; "
                     "what is missing plays as silence\n",
                     fileName.c_str(), extent, bytes.size());
    }
}

std::unique_ptr<openmpt::module> loadModule(const std::string& fileName) {
    const DataFileContents file = readDataFile(fileName);
    if (!file.failure.empty()) throw CError("Error bass init", fileName + ": " + file.failure);
    if (file.bytes.empty()) throw CError("Error bass init", fileName + ": the file is empty");
    std::ostringstream log;
    std::unique_ptr<openmpt::module> module;
    try {
        module = std::make_unique<openmpt::module>(file.bytes, log);
    } catch (const std::exception& error) {
        throw CError("Error bass init", fileName + ": not a module (" + error.what() + ")");
    }
    reportLoadWarnings(fileName, log.str(), file.bytes);
    module->set_repeat_count(0);  // once through, then the end
    return module;
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
