// HarmonyPart: the chords of one order as the bass, the pads (a left and a
// right copy that beat differently, plus the lift's bright octave), the
// arpeggio with its echo, and the bells.
#pragma once

#include "tools/itwriter/ItWriter.h"

class HarmonyPart {
public:
    static void write(ItPattern& pattern, int order);

private:
    static void writeBass(ItPattern& pattern, int order);
    static void writePads(ItPattern& pattern, int order);
    static void writeArpeggio(ItPattern& pattern, int order);
    static void writeBells(ItPattern& pattern, int order);
};
