// Composition: lays the soundtrack out as 39 patterns of 64 rows - drums,
// bass, pads, arpeggios, lead and the impacts that the pictures sync to - and
// gathers them with the synthesised samples into one Impulse Tracker module.
#pragma once

#include "tools/itwriter/ItWriter.h"

#include <vector>

class Composition {
public:
    static constexpr int orderCount = 39;
    static constexpr int patternRows = 64;
    static constexpr int speed = 6;    // ticks per row
    static constexpr int tempo = 130;  // BPM: a row lasts 2.5 * 6 / 130 s

    struct Position {
        int order;
        int row;
    };
    // Rows that carry an impact: the flashes, jolts and fades of the pictures.
    static std::vector<Position> accents();

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
    static void writeAccent(ItPattern& pattern, int order, int row);
    static void silenceRow(ItPattern& pattern, int row);
};
