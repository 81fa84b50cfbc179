// SoundMeasure: the figures the soundtrack is judged by - level, peak, stereo
// width, spectrum and how often a bar repeats - over a stretch of a render.
// The measuring tool prints them and the data tests hold the module to them.
#pragma once

#include "tools/soundtrack/ModuleRender.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace measure {

struct Span {
    std::size_t from;
    std::size_t to;  // exclusive
};

// Sum of squares over both channels.
double energy(const ModuleRender& render, Span span);
// RMS of both channels together, dBFS (-200 for silence).
double rmsDb(const ModuleRender& render, Span span);
double peakDb(const ModuleRender& render, Span span);
// Pearson correlation of left and right: 1 = mono, 0 = unrelated.
double correlation(const ModuleRender& render, Span span);
// How much quieter the (L+R)/2 mono fold is than the stereo signal, dB.
double monoFoldLossDb(const ModuleRender& render, Span span);

// Energy in third-octave bands (25 Hz .. 16 kHz), from a band-pass filter bank.
struct Spectrum {
    static constexpr int bandCount = 29;
    static double centre(int band);
    std::array<double, bandCount> energy{};
    // Energy-weighted mean of the band centres, Hz.
    double centroidHz() const;
    // Share (0..1) of the energy between two frequencies (band centres inside).
    double share(double fromHz, double toHz) const;
    // The band centre below which `portion` (0..1) of the energy lies.
    double rolloffHz(double portion) const;
};
Spectrum spectrum(const ModuleRender& render, Span span);

// Bars (of `barRows` rows, all channels together) that exactly repeat an
// earlier bar of the song, counted over the order list.
struct Repeats {
    int repeated = 0;
    int bars = 0;
};
Repeats repeatedBars(const std::vector<std::uint8_t>& moduleBytes, int barRows);

// An accent the pictures flash on: how much the 60 ms after its row carry
// over the 60 ms before, and over the loudest plain downbeat of its order (a
// bar's first row that is neither an accent nor within three rows after one),
// both as energy ratios in dB; and the 60 ms before against the same
// moment a bar earlier, which falls far when the beat is silenced for the hit.
struct Accent {
    ModuleRender::Position at;
    double riseDb;
    double overDownbeatsDb;
    double beforeAgainstBarBeforeDb;
    double energy;  // of the 60 ms after the row
};
// Every row a picture answers on alone, then the closing hit of the order in
// which the pictures end.
std::vector<ModuleRender::Position> accentPositions();
Accent accent(const ModuleRender& render, ModuleRender::Position at);

// A picture cue heard as a listener's meter reads it: the momentary loudness
// (400 ms, K-weighted) that starts at the row against the one that ends there.
struct CueRise {
    ModuleRender::Position at;
    double beforeLufs;
    double afterLufs;
    double riseLu() const { return afterLufs - beforeLufs; }
};
std::vector<CueRise> cueRises(const ModuleRender& render, const std::vector<ModuleRender::Position>& rows);

// For a render of one instrument played once from silence (a probe): how
// long after its loudest 5 ms its level stays within `belowDb` of them, ms.
double tailMs(const ModuleRender& probe, double belowDb);
// For a probe holding one pitch: the `harmonic`-th harmonic against the
// fundamental, dB, over the stretch from 150 ms to 650 ms (past the attack).
double harmonicDb(const ModuleRender& probe, double fundamentalHz, int harmonic);

// How much louder (energy per frame, dB) a part plays on the rows where the
// kick starts a note than on its other sounding rows, orders first..last.
double levelOnRowsDb(const ModuleRender& part, const std::vector<ModuleRender::Position>& rows, int first, int last);

// The instruments measured alone, by the names the soundtrack gives them.
struct InstrumentGroup {
    std::string name;
    std::vector<std::string> instruments;
};
const std::vector<InstrumentGroup>& instrumentGroups();
const InstrumentGroup& instrumentGroup(const std::string& name);

}  // namespace measure
