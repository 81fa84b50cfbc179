// RowLocator: the exact frame each row of the song begins on. libopenmpt only
// says which row it is in after a read, so a row change is first seen at the
// end of the chunk it happened in. Rows begin on ticks, and a tick lasts a
// whole number of frames fixed by the tempo, so the start is the previous
// row's start plus the previous row's length, checked against the chunk.
#pragma once

#include <cstddef>
#include <cstdint>

class RowLocator {
public:
    // Frames a tick lasts at `tempo` (beats per minute) in Impulse Tracker's
    // classic tempo mode: 2.5 s / tempo, in whole frames.
    static std::int64_t tickFrames(int sampleRate, int tempo);

    // The song starts (again) on exactly this frame.
    void restart(std::int64_t frame);
    // A new row was first seen after the chunk [chunkStart, chunkStart +
    // frames) was read. Returns the frame it began on: exact while rows keep
    // to the length their speed and tempo give; otherwise the latest frame
    // it can have begun on, never an earlier one, until a few rows of known
    // length pin it down again.
    std::int64_t locate(std::int64_t chunkStart, std::size_t frames);
    // The row just located (or the first after restart) plays `speed` ticks
    // at `tempo`; 0 or less for either when not known.
    void rowTiming(int sampleRate, int speed, int tempo);

    bool exact() const { return earliest == latest; }

private:
    // Where the current row can have begun, first to last frame.
    std::int64_t earliest = 0;
    std::int64_t latest = 0;
    std::int64_t rowFrames = 0;  // its length; 0 when not known
};
