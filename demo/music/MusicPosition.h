// MusicPosition: where the timeline reads the song's order and row. The music
// player is the real source; tests and tools script it. SongClock is the song
// on its output's sample clock, which a position for the moment a frame is
// shown is worked out from.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

struct ModulePosition {
    unsigned order = 0;
    unsigned row = 0;
};

// A row and the sample frame it begins on; frame -1 for no row at all.
struct RowStart {
    std::int64_t frame = -1;
    ModulePosition position;
};

class MusicPosition {
public:
    virtual ~MusicPosition() = default;
    virtual unsigned order() = 0;
    virtual unsigned row() = 0;
    // Asked once at the start of every frame: the rows the song went through
    // since the previous frame without any of its queries landing on them,
    // oldest first. A source that is placed by hand, or read only by frames
    // close enough together, has none.
    virtual void takePassedRows(std::vector<ModulePosition>& rows) { rows.clear(); }
};

class SongClock {
public:
    virtual ~SongClock() = default;
    // The frame heard now, counted as the output counts them; -1 before any.
    virtual std::int64_t audibleFrame() = 0;
    // The row playing at `frame`: order 0 row 0 (frame -1) before the song,
    // the past-the-end position once it is over. Rows not rendered yet are
    // unknown: a later frame gets the newest row rendered so far.
    virtual RowStart rowAt(std::int64_t frame) = 0;
    // Appends the rows that began after `after` and at or before `upTo`,
    // oldest first.
    virtual void rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) = 0;
};

// Set once, from the audio thread, when the end of the module has been heard.
extern std::atomic<bool> musicEnded;
