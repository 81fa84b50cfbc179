// MusicPosition: where the timeline reads the song's order and row. The music
// player is the real source; tests and tools script it.
#pragma once

#include <atomic>

class MusicPosition {
public:
    virtual ~MusicPosition() = default;
    virtual unsigned order() = 0;
    virtual unsigned row() = 0;
};

// Set once, from the audio thread, when the end of the module has been heard.
extern std::atomic<bool> musicEnded;
