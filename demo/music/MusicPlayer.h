// MusicPlayer: plays the soundtrack once and tells the timeline which order
// and row of it can be heard right now, and at which frame of the output each
// row began. libopenmpt decodes the module; the caller's AudioOutput (the SDL
// device in the demo) plays it.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/ModuleRenderer.h"
#include "demo/music/MusicPosition.h"

#include <memory>
#include <string>

namespace openmpt {
class module;
}

class MusicPlayer : public MusicPosition, public SongClock {
public:
    // Loads the module and connects it to `output`, which plays silence until
    // play(). A module that does not load throws CError "Error bass init".
    // The output must outlive the player.
    MusicPlayer(const std::string& fileName, AudioOutput& output);
    // Fades out what still sounds, waits until the fade has been heard, and
    // disconnects the output before the module is freed.
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Starts the module from order 0, row 0.
    void play();
    // Ramps the sound down to silence over a few milliseconds from the next
    // frames the output renders, and keeps it silent.
    void fadeOut();
    // The audible position: 0/0 before play, 65535/65535 once the end has
    // been heard. Every call asks afresh.
    unsigned order() override;
    unsigned row() override;

    std::int64_t audibleFrame() override;
    RowStart rowAt(std::int64_t frame) override;
    void rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) override;

    std::string fileName;
    std::unique_ptr<openmpt::module> music;

private:
    AudioOutput& output;
    ModuleRenderer renderer;
};
