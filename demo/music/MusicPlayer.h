// MusicPlayer: plays the soundtrack once and tells the timeline which order
// and row of it can be heard right now. libopenmpt decodes the module; an
// AudioOutput (the SDL device in the demo) plays it.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/ModuleRenderer.h"
#include "demo/music/MusicPosition.h"

#include <cstddef>
#include <memory>
#include <string>

namespace openmpt {
class module;
}

class MusicPlayer : public MusicPosition {
public:
    // Opens the output, loads the module and starts the output, which plays
    // silence until play(). Any failure throws CError "Error bass init".
    explicit MusicPlayer(const std::string& fileName,
                         AudioOutputKind outputKind = AudioOutputKind::Device);
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Starts the module from order 0, row 0.
    void play();
    // The audible position: 0/0 before play, 65535/65535 once the end has
    // been heard. Every call asks afresh.
    unsigned order() override;
    unsigned row() override;

    // Offline output only: renders `frames` stereo frames now, into `stereo`
    // (2 floats a frame) when it is not null. Throws std::logic_error for the
    // device and null outputs, which render on their own.
    void renderOffline(float* stereo, std::size_t frames);

    std::string fileName;
    std::unique_ptr<openmpt::module> music;

private:
    ModulePosition audiblePosition();

    ModuleRenderer renderer;
    // Declared last: it is closed first, so nothing renders from a freed module.
    std::unique_ptr<AudioOutput> output;
};
