// SongPosition: a music position that follows a simulated song of fixed-length
// rows, so the screenshot tool drives the timeline the way playback would,
// frame by frame on a fixed-step clock, without audio.
#pragma once

#include "demo/music/MusicPosition.h"

class SongPosition : public MusicPosition {
public:
    static constexpr int rowsPerOrder = 64;

    explicit SongPosition(double rowSeconds);

    // Moves the song to `seconds` since it started.
    void seek(double seconds);
    // Seconds at which the song reaches (order, row).
    double secondsAt(unsigned order, unsigned row) const;

    unsigned order() override;
    unsigned row() override;

private:
    double rowSeconds;
    unsigned currentOrder = 0;
    unsigned currentRow = 0;
};
