// Room: a small reverberator that renders the space around a dry sound into
// the sample itself, since the tracker format has no reverb of its own. Two
// sides with different delays give a left and a right copy that decorrelate.
#pragma once

#include <vector>

struct Room {
    double size = 0.8;      // feedback of the echo paths, 0..1: longer tails when larger
    double damping = 0.35;  // how fast the highs die in the tail, 0..1
    double wet = 0.35;      // level of the room against the dry sound
    double tailSeconds = 0.8;
    int side = 0;           // 0 or 1: the two sides differ in their delays
    double direct = 1.0;    // level of the dry sound: a far side can carry mostly room

    // The dry wave followed by its tail, `tailSeconds` longer, ending in silence.
    std::vector<double> around(const std::vector<double>& dry) const;
};
