// DrumPart: the soundtrack's drums for one order - the beat of each section,
// ghost notes and a little swing, and a fill of its own at each hand-over.
#pragma once

#include "tools/itwriter/ItWriter.h"

class DrumPart {
public:
    static void write(ItPattern& pattern, int order);

private:
    static void writeBeat(ItPattern& pattern, int order);
    static void writeHalfTime(ItPattern& pattern, int order);
    static void writeHats(ItPattern& pattern, int order);
    static void writeFill(ItPattern& pattern, int order);
};
