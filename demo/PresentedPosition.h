// PresentedPosition: the music position for the frame being drawn, taken at
// the moment that frame will be seen rather than when its drawing starts:
// the sound heard now plus the frame's lead. Every query of a frame answers
// for that one moment, and a later frame never shows an earlier one. It also
// names the rows that passed between two frames without being shown, so the
// timeline can still deliver their events. Platform-free: any SongClock (the
// SDL device's, a browser's output timestamp) can drive it.
#pragma once

#include <vector>

#include "demo/music/MusicPosition.h"

class PresentedPosition : public MusicPosition {
public:
    explicit PresentedPosition(SongClock& song) : song(song) {}

    // A frame starts; it will be seen `leadSeconds` after the sound heard now.
    void beginFrame(double leadSeconds);

    unsigned order() override { return frameRow().position.order; }
    unsigned row() override { return frameRow().position.row; }
    void takePassedRows(std::vector<ModulePosition>& rows) override;

    // The output frame the current frame shows (-1 before any), the frame
    // heard when it began, and the row it shows with the frame that row
    // began on.
    std::int64_t shownFrame() const { return target; }
    std::int64_t heardAtStart() const { return heard; }
    const RowStart& shownRow() { return frameRow(); }

private:
    const RowStart& frameRow();

    SongClock& song;
    bool framed = false;          // a frame has begun: answer for its moment
    std::int64_t heard = -1;
    std::int64_t target = -1;     // never decreases
    RowStart shown;
    std::int64_t seenRowStart = -1;  // the newest row shown or delivered
    std::vector<RowStart> started;
};
