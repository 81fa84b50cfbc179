// Synth: the pitched instruments of the demo's soundtrack, synthesised as
// 16-bit samples whose C-5 sounds middle C. Held tones loop without a seam;
// the instruments' envelopes give them their attack and release.
#pragma once

#include "tools/itwriter/ItWriter.h"

class Synth {
public:
    static ItSample bass();
    // Soft detuned-saw pad; the two sides beat differently, for width.
    static ItSample pad(int side);
    // Brighter, with an octave voice: the lift's pad.
    static ItSample brightPad();
    static ItSample pluck();
    static ItSample bell();
    // `detuneCents` shifts the sample's C-5 speed, so two copies chorus.
    static ItSample lead(double detuneCents);
    // A short driven power chord on the note it plays, for the picture's jolts.
    static ItSample stab();
};
