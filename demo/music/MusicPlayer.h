// MusicPlayer: plays the soundtrack once and tells the timeline which order
// and row of it can be heard right now. libopenmpt decodes the module; the
// caller's AudioOutput (the SDL device in the demo) plays it.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/ModuleRenderer.h"
#include "demo/music/MusicPosition.h"

#include <memory>
#include <string>

namespace openmpt {
class module;
}

class MusicPlayer : public MusicPosition {
public:
    // Loads the module and connects it to `output`, which plays silence until
    // play(). A module that does not load throws CError "Error bass init".
    // The output must outlive the player.
    MusicPlayer(const std::string& fileName, AudioOutput& output);
    // Disconnects the output before the module is freed.
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Starts the module from order 0, row 0.
    void play();
    // The audible position: 0/0 before play, 65535/65535 once the end has
    // been heard. Every call asks afresh.
    unsigned order() override;
    unsigned row() override;

    std::string fileName;
    std::unique_ptr<openmpt::module> music;

private:
    ModulePosition audiblePosition();

    AudioOutput& output;
    ModuleRenderer renderer;
};
