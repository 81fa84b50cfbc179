// CuePart: what marks the pictures' cues and the hand-overs between parts -
// the accents on every flash and fade, stabs in the harmony on the sphere's
// jolts, crashes, noise risers and filter sweeps into the big entries, and
// the closing hit whose tail fades to silence.
#pragma once

#include "tools/itwriter/ItWriter.h"

class CuePart {
public:
    // Transitions and crashes of one order (written after the other parts).
    static void write(ItPattern& pattern, int order);
    // The hit on one accent row; `index` counts the accents of its order.
    static void writeAccent(ItPattern& pattern, int order, int row, int index);
    // The last order: the final chord, rung out to silence.
    static void writeEnding(ItPattern& pattern);
};
