// Composition: lays the soundtrack out as 39 patterns of 64 rows - drums,
// bass, pads, arpeggios, lead and the impacts that the pictures sync to - and
// gathers them with the synthesised samples into one Impulse Tracker module.
#pragma once

#include "demo/Cues.h"
#include "tools/itwriter/ItWriter.h"

class Composition {
public:
    // The module ends with the order in which the pictures end: its chord
    // rings on past their last frame.
    static constexpr int orderCount = cues::demoEnd.order + 1;
    static constexpr int patternRows = 64;
    static constexpr int speed = 6;    // ticks per row
    static constexpr int tempo = 130;  // BPM: a row lasts 2.5 * 6 / 130 s

    ItModule build() const;

private:
    void writeOrder(ItPattern& pattern, int order) const;
    void writeDrums(ItPattern& pattern, int order) const;
    void writeBass(ItPattern& pattern, int order) const;
    void writePads(ItPattern& pattern, int order) const;
    void writeArpeggio(ItPattern& pattern, int order) const;
    void writeLead(ItPattern& pattern, int order) const;
    void writeBells(ItPattern& pattern, int order) const;
    void writeEnding(ItPattern& pattern) const;
    static void placeAccent(ItModule& module, cues::Position at);
    static void writeAccent(ItPattern& pattern, int order, int row);
    static void silenceRow(ItPattern& pattern, int row);
};
