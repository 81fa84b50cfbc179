// Melody: A minor, with the colour of a raised third now and then - E major
// as the dominant, the bright D major of the finale's first progression and
// the A major that closes the piece. Six progressions and a phrase each.
#include "tools/soundtrack/Melody.h"

#include <stdexcept>

namespace {

enum Name { Am, A, C, Dm, D, E, Em, F, G };

Melody::Chord chord(Name name) {
    switch (name) {
    case Am: return {33, {57, 60, 64}};
    case A: return {33, {57, 61, 64}};
    case C: return {36, {55, 60, 64}};
    case Dm: return {38, {57, 62, 65}};
    case D: return {38, {57, 62, 66}};
    case E: return {40, {56, 59, 64}};
    case Em: return {40, {55, 59, 64}};
    case F: return {41, {57, 60, 65}};
    case G: return {43, {55, 59, 62}};
    }
    throw std::logic_error("Melody: unknown chord");
}

using Progression = std::array<Name, Melody::barsPerOrder>;

const Progression home = {Am, F, C, G};
const Progression answer = {Am, Em, F, G};
const Progression turn = {F, G, Em, Am};
const Progression cadence = {Dm, Am, E, Am};
const Progression climb = {Dm, G, C, E};
const Progression lifted = {Am, D, F, E};
const Progression closing = {A, A, A, A};

// One progression an order; the last order only holds the final chord.
const Progression& progressionOf(int order) {
    static const Progression* const table[Melody::orderCount] = {
        &home, &answer, &home, &climb,                                  // 0-3 intro, into the beat on E
        &home, &answer, &home, &turn, &climb, &cadence,                  // 4-9 beat
        &turn, &lifted, &cadence, &climb,                                // 10-13 half time
        &home, &answer, &home, &answer, &home, &turn, &climb, &cadence,  // 14-21 main
        &home, &answer, &lifted, &turn, &home, &climb, &turn, &cadence,  // 22-29 lift
        &home, &answer, &turn, &climb, &lifted, &home, &climb, &cadence,  // 30-37 finale
        &closing};                                                       // 38
    if (order < 0 || order >= Melody::orderCount) throw std::out_of_range("Melody: no such order");
    return *table[order];
}

}  // namespace

std::array<Melody::Chord, Melody::barsPerOrder> Melody::chordsOf(int order) {
    const Progression& names = progressionOf(order);
    std::array<Chord, barsPerOrder> chords;
    for (std::size_t bar = 0; bar < chords.size(); ++bar) chords[bar] = chord(names[bar]);
    return chords;
}

Melody::Phrase Melody::phraseOf(int order) {
    const Progression& names = progressionOf(order);
    if (&names == &answer) return Phrase::Answer;
    if (&names == &turn) return Phrase::Turn;
    if (&names == &cadence) return Phrase::Cadence;
    if (&names == &climb) return Phrase::Climb;
    if (&names == &lifted) return Phrase::Lifted;
    return Phrase::Rise;
}

Melody::Version Melody::versionOf(int order) {
    int earlier = 0;
    for (int before = 0; before < order; ++before) earlier += &progressionOf(before) == &progressionOf(order) ? 1 : 0;
    return static_cast<Version>(earlier % 3);
}

const std::vector<Melody::Note>& Melody::notesOf(Phrase phrase) {
    // A5 = 69, C-6 = 72, E-6 = 76, A-6 = 81.
    static const std::vector<Note> rise = {
        {0, 69, 6},  {6, 72, 2},  {8, 76, 4},  {12, 74, 4},               // Am
        {16, 72, 6}, {22, 69, 2}, {24, 72, 4}, {28, 74, 4},               // F
        {32, 76, 6}, {38, 79, 2}, {40, 76, 4}, {44, 74, 2}, {46, 72, 2},  // C
        {48, 74, 8}, {56, 71, 4}, {60, 67, 3}};                           // G
    static const std::vector<Note> reply = {
        {0, 76, 4},  {4, 81, 4},  {8, 79, 4},  {12, 76, 4},   // Am
        {16, 74, 6}, {22, 76, 2}, {24, 71, 8},                // Em
        {32, 72, 4}, {36, 69, 4}, {40, 72, 4}, {44, 77, 4},   // F
        {48, 76, 6}, {54, 74, 2}, {56, 71, 4}, {60, 74, 3}};  // G
    static const std::vector<Note> bend = {
        {0, 69, 4},  {4, 72, 4},  {8, 77, 6},  {14, 76, 2},  // F
        {16, 74, 6}, {22, 71, 2}, {24, 67, 4}, {28, 71, 4},  // G
        {32, 76, 4}, {36, 79, 4}, {40, 83, 4}, {44, 79, 4},  // Em
        {48, 81, 12}};                                       // Am
    static const std::vector<Note> close = {
        {0, 77, 6},  {6, 76, 2},  {8, 74, 4},  {12, 69, 4},  // Dm
        {16, 72, 6}, {22, 71, 2}, {24, 69, 4}, {28, 76, 4},  // Am
        {32, 71, 4}, {36, 68, 4}, {40, 71, 4}, {44, 74, 4},  // E
        {48, 72, 8}, {56, 69, 6}};                           // Am
    static const std::vector<Note> upward = {
        {0, 74, 4},  {4, 77, 4},  {8, 81, 6},  {14, 79, 2},  // Dm
        {16, 79, 4}, {20, 74, 4}, {24, 71, 4}, {28, 74, 4},  // G
        {32, 76, 6}, {38, 72, 2}, {40, 79, 8},               // C
        {48, 80, 4}, {52, 76, 4}, {56, 71, 4}, {60, 68, 3}};  // E
    static const std::vector<Note> bright = {
        {0, 76, 6},  {6, 72, 2},  {8, 69, 4},  {12, 72, 4},  // Am
        {16, 74, 6}, {22, 78, 2}, {24, 81, 8},               // D
        {32, 77, 4}, {36, 76, 4}, {40, 72, 4}, {44, 69, 4},  // F
        {48, 71, 6}, {54, 68, 2}, {56, 76, 7}};              // E
    switch (phrase) {
    case Phrase::Rise: return rise;
    case Phrase::Answer: return reply;
    case Phrase::Turn: return bend;
    case Phrase::Cadence: return close;
    case Phrase::Climb: return upward;
    case Phrase::Lifted: return bright;
    }
    throw std::logic_error("Melody: unknown phrase");
}

std::vector<Melody::Note> Melody::notesOf(Phrase phrase, Version version) {
    const std::vector<Note>& written = notesOf(phrase);
    std::vector<Note> notes;
    for (const Note& note : written) {
        const int bar = note.row / barRows, beatRow = note.row % barRows;
        if (version == Version::CallAndResponse) {
            if (bar % 2 == 0) notes.push_back(note);
        } else if (version == Version::Ornamented && note.length >= 6) {
            // A grace note from the step above, leaning into the long note.
            notes.push_back({note.row, stepAbove(note.note), 1});
            notes.push_back({note.row + 1, note.note, note.length - 1});
        } else if (version == Version::Ornamented && note.length >= 4 && (beatRow == 4 || beatRow == 12)) {
            // The second and fourth beats pushed late by a sixteenth.
            notes.push_back({note.row + 2, note.note, note.length - 2});
        } else {
            notes.push_back(note);
        }
    }
    return notes;
}

int Melody::arpTone(const Chord& chord, int index) {
    const int octave = index / 3;
    return chord.voicing[static_cast<std::size_t>(index % 3)] + 12 * octave;
}

int Melody::stepAbove(int note) {
    // Semitones up to the next scale tone from each pitch class (C = 0).
    static const int up[12] = {2, 1, 2, 1, 1, 2, 1, 2, 1, 2, 1, 1};
    return note + up[note % 12];
}
