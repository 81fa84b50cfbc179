// Composition: lays the soundtrack out as 39 patterns of 64 rows - drums,
// harmony, lead and the cues the pictures sync to - and gathers them with the
// synthesised instruments into one Impulse Tracker module.
#pragma once

#include "demo/Cues.h"
#include "tools/itwriter/ItWriter.h"

class Composition {
public:
    // The module ends with the order in which the pictures end: its chord
    // is choked before their last frame, and the song stops soon after.
    static constexpr int orderCount = cues::demoEnd.order + 1;
    static constexpr int patternRows = 64;
    static constexpr int speed = 6;    // ticks per row
    static constexpr int tempo = 130;  // BPM: a row lasts 2.5 * 6 / 130 s

    ItModule build() const;
};
