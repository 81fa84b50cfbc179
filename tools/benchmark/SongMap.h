// SongMap: when each order and row of the soundtrack plays, read from the
// module itself, so a benchmark stretch can be walked with the clock and the
// position the demo would have at that moment — events and fades included.
#pragma once

#include <string>
#include <vector>

#include "demo/Cues.h"

struct SongRow {
    unsigned order = 0;
    unsigned row = 0;
    double seconds = 0.0;  // from the start of the music
};

class SongMap {
public:
    // Throws std::runtime_error when the module cannot be read.
    explicit SongMap(const std::string& modulePath);

    // Seconds at which `position` starts playing.
    double secondsAt(cues::Position position) const;
    // The row playing at `seconds` (the last one started by then).
    SongRow rowAt(double seconds) const;

private:
    std::vector<SongRow> rows;  // in playing order
};

// One stretch of the demo, as the benchmark walks it: frame k of n shows the
// clock at begin + (end − begin) · k / n and the row playing then.
struct Stretch {
    const char* name;
    cues::Position from;
    cues::Position to;  // first position past the stretch
};

// The five scenes' stretches in playing order, the torus split where the
// cube star overlay joins it.
const std::vector<Stretch>& demoStretches();

std::vector<SongRow> stretchFrames(const SongMap& song, const Stretch& stretch, int frames);
