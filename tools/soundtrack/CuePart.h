// CuePart: what marks the pictures' cues and the hand-overs between parts -
// the accents on every flash and fade, stabs in the harmony on the sphere's
// jolts, crashes, noise risers and filter sweeps into the big entries, and
// the closing hit, choked before the pictures end.
#pragma once

#include "tools/itwriter/ItWriter.h"

#include <vector>

class CuePart {
public:
    // Transitions and crashes of one order (written after the other parts).
    static void write(ItPattern& pattern, int order);
    // The hit on one accent row; `index` counts the accents of its order.
    static void writeAccent(ItPattern& pattern, int order, int row, int index);
    // The beat before an accent row breathes in: pads, arpeggio, bells and
    // hats drop back for three rows (reaching into the order before when
    // the accent is on its first rows), so the hit lands in a space.
    static void breatheBefore(std::vector<ItPattern>& patterns, int order, int row);
    // The last order: the final chord, choked to silence by row 3, then the end.
    static void writeEnding(ItPattern& pattern);
};
