// SoundAlignment: where each frame of the song landed in the recording of the
// sink. The program's sound reaches the sink unchanged (float all the way, one
// stream at full volume), so the recording is the song sample for sample,
// shifted by a lag that grows wherever the server played silence for want of
// data (an underrun) and shrinks wherever data was dropped. The walk follows
// that lag; a beat is then located by cross-correlating the song around it
// with the recording, which checks the walk and does not rely on exactness.
#pragma once

#include <cstdint>
#include <vector>

class SoundAlignment {
public:
    struct Gap {
        std::int64_t songFrame;  // where the song was interrupted
        std::int64_t silence;    // frames of silence the server put in
        std::int64_t skipped;    // song frames never heard (< 0: heard twice)
    };

    // Both stereo, interleaved.
    SoundAlignment(const std::vector<float>& song, const std::vector<float>& recording);

    // The song was found in the recording at all.
    bool found() const { return !segments.empty(); }
    // Song frames followed, from 0: the walk stops where the recording ends
    // or stops matching (the fade-out when the program closed).
    std::int64_t alignedFrames() const { return alignedEnd; }
    // The recording frame song frame `songFrame` landed on, by the walk.
    std::int64_t recordingFrame(std::int64_t songFrame) const;
    const std::vector<Gap>& gaps() const { return gapList; }
    // The recording frame where the song around `songFrame` (a few
    // thousand frames) correlates best, searched `radius` frames either
    // side of the walk's answer; -1 beyond the recording.
    std::int64_t correlate(std::int64_t songFrame, std::int64_t radius) const;

private:
    struct Segment {
        std::int64_t songFrame;  // from here on
        std::int64_t lag;        // recording frame − song frame
    };

    bool matches(std::int64_t recordingFrame, std::int64_t songFrame, std::int64_t count) const;
    bool silentAt(std::int64_t recordingFrame) const;
    // The song frame near `songFrame` that the recording plays on with at
    // `recordingFrame`.
    bool findSongFrame(std::int64_t recordingFrame, std::int64_t songFrame, std::int64_t& found) const;

    const std::vector<float>& song;
    const std::vector<float>& recording;
    std::vector<Segment> segments;
    std::vector<Gap> gapList;
    std::int64_t alignedEnd = 0;
};
