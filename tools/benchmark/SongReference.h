// SongReference: libopenmpt's own rendering of the soundtrack, which the
// recording of the sink is matched against, and the frame each of the cue
// table's event rows begins on: read one frame at a time across the change,
// so that it is libopenmpt's word, not the player's, to the frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/Cues.h"

class SongReference {
public:
    // Renders from order 0 row 0 up to the start of `endOrder` (or the
    // song's end). Throws std::runtime_error when the file does not load.
    SongReference(const std::string& file, unsigned endOrder);

    const std::vector<float>& samples() const { return rendered; }  // stereo
    std::int64_t frames() const { return static_cast<std::int64_t>(rendered.size()) / 2; }
    // The frame `event` begins on; -1 when the rendering stops before it.
    std::int64_t rowStart(cues::Position event) const;

private:
    std::vector<float> rendered;
    std::vector<std::int64_t> starts;  // by index in cues::rowEvents()
};
