// PositionRing: where each row of the song began. The renderer records the
// frame every row starts on; the UI thread looks up the row being heard, and
// the rows passed between two frames. One writer, one reader, no locks.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "demo/music/MusicPosition.h"

class PositionRing {
public:
    // 256 rows: half a minute of this song, far more than the output latency
    // and the frame gaps the reader looks back across.
    static constexpr std::size_t capacity = 256;

    // Writer side: `frame` must not decrease from one call to the next.
    void push(std::uint64_t frame, unsigned order, unsigned row) noexcept;
    // Reader side: the newest entry at or before `frame`; false when there
    // is none.
    bool find(std::uint64_t frame, RowStart& found) const noexcept;
    // Appends the entries after `after` and at or before `upTo`, oldest
    // first; `after` may be -1 (everything still held).
    void collect(std::int64_t after, std::uint64_t upTo, std::vector<RowStart>& rows) const;

private:
    // Each slot packs the frame's low 32 bits with the order and row, so one
    // atomic load gives a consistent entry. Frames are compared modulo 2^32,
    // which holds for anything closer than 13 hours of audio.
    std::array<std::atomic<std::uint64_t>, capacity> slots{};
    std::atomic<std::uint64_t> count{0};
};
