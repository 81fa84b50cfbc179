// DrumSynth: the soundtrack's percussion - drums, cymbals and the effects that
// mark the picture cues and the hand-overs between parts - synthesised as
// one-shot 16-bit samples (the riser loops; its instrument shapes it).
#pragma once

#include "tools/itwriter/ItWriter.h"

class DrumSynth {
public:
    static ItSample kick();
    // `side` 0 or 1: the same hit in rooms that differ, for a wide stereo pair.
    static ItSample snare(int side);
    static ItSample clap(int side);
    static ItSample closedHat();
    static ItSample openHat();
    // A pitched drum; C-5 sounds its middle tone.
    static ItSample tom();
    static ItSample crash();
    static ItSample impact();
    static ItSample riser();
};
