// PresentedPosition: the frame's moment on the song's sample clock, and the
// rows passed since the last frame.
#include "demo/PresentedPosition.h"

#include <algorithm>
#include <cmath>

#include "demo/music/AudioOutput.h"

void PresentedPosition::beginFrame(double leadSeconds) {
    framed = true;
    heard = song.audibleFrame();
    if (heard < 0) {
        shown = song.rowAt(-1);
        return;
    }
    const auto lead = static_cast<std::int64_t>(std::lround(leadSeconds * AudioOutput::sampleRate));
    target = std::max(target, heard + std::max<std::int64_t>(lead, 0));
    shown = song.rowAt(target);
}

const RowStart& PresentedPosition::frameRow() {
    // Outside frames (before the first) every query is the moment heard now.
    if (!framed) shown = song.rowAt(song.audibleFrame());
    seenRowStart = std::max(seenRowStart, shown.frame);
    return shown;
}

void PresentedPosition::takePassedRows(std::vector<ModulePosition>& rows) {
    rows.clear();
    if (!framed || target < 0 || shown.frame <= seenRowStart) return;
    started.clear();
    song.rowsStarted(seenRowStart, shown.frame - 1, started);
    for (const RowStart& row : started) rows.push_back(row.position);
    if (!started.empty()) seenRowStart = started.back().frame;
}
