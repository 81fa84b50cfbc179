// SteppedSong: a song on a sample clock set by hand, for the tests of the
// position each frame shows: 64-row orders whose rows each last `rowFrames`
// frames from frame 0, heard up to the frame the test says, decoded up to
// another.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "demo/music/MusicPosition.h"

struct SteppedSong : SongClock {
    static constexpr std::int64_t rowFrames = 5088;  // the soundtrack's 115 ms

    // The frame where order `order` row `row` begins.
    static std::int64_t frameOf(unsigned order, unsigned row) {
        return (std::int64_t{order} * 64 + row) * rowFrames;
    }

    std::int64_t audibleFrame() override { return heard; }
    RowStart rowAt(std::int64_t frame) override {
        if (frame < 0) return RowStart{};
        const std::int64_t index = std::min(frame, decoded - 1) / rowFrames;
        return RowStart{index * rowFrames, {static_cast<unsigned>(index / 64), static_cast<unsigned>(index % 64)}};
    }
    void rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) override {
        upTo = std::min(upTo, decoded - 1);
        for (std::int64_t index = after < 0 ? 0 : after / rowFrames + 1; index * rowFrames <= upTo; ++index) {
            rows.push_back(RowStart{index * rowFrames,
                                    {static_cast<unsigned>(index / 64), static_cast<unsigned>(index % 64)}});
        }
    }

    std::int64_t heard = -1;
    std::int64_t decoded = std::numeric_limits<std::int64_t>::max();
};
