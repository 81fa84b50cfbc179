// Melody: A minor throughout. Four progressions (Am-F-C-G, Am-Em-F-G,
// F-G-Em-Am and the cadence Dm-Am-E-Am with its raised G#) and a lead phrase
// written for each.
#include "tools/soundtrack/Melody.h"

#include <stdexcept>

namespace {

enum Name { Am, C, Dm, E, Em, F, G };

Melody::Chord chord(Name name) {
    switch (name) {
    case Am: return {33, {57, 60, 64}};
    case C: return {36, {55, 60, 64}};
    case Dm: return {38, {57, 62, 65}};
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

// One progression an order, 0..38; the last order only holds the final chord.
const Progression& progressionOf(int order) {
    static const Progression* const table[] = {
        &home, &home, &answer, &home,                                    // 0-3 intro
        &home, &answer, &home, &answer, &home, &cadence,                 // 4-9 beat
        &turn, &turn, &cadence, &turn,                                   // 10-13 half time
        &home, &answer, &home, &answer, &home, &turn, &home, &cadence,   // 14-21
        &home, &answer, &home, &turn, &home, &answer, &turn, &cadence,   // 22-29
        &home, &answer, &turn, &cadence, &home, &answer, &turn, &cadence,  // 30-37
        &home};                                                          // 38
    if (order < 0 || order >= static_cast<int>(sizeof table / sizeof table[0])) {
        throw std::out_of_range("Melody: no such order");
    }
    return *table[order];
}

}  // namespace

std::array<Melody::Chord, Melody::barsPerOrder> Melody::chordsOf(int order) {
    const Progression& names = progressionOf(order);
    std::array<Chord, barsPerOrder> chords;
    for (int bar = 0; bar < barsPerOrder; ++bar) chords[static_cast<std::size_t>(bar)] = chord(names[static_cast<std::size_t>(bar)]);
    return chords;
}

Melody::Phrase Melody::phraseOf(int order) {
    const Progression& names = progressionOf(order);
    if (&names == &answer) return Phrase::Answer;
    if (&names == &turn) return Phrase::Turn;
    if (&names == &cadence) return Phrase::Cadence;
    return Phrase::Rise;
}

const std::vector<Melody::Note>& Melody::notesOf(Phrase phrase) {
    // A5 = 69, C-6 = 72, E-6 = 76, A-6 = 81.
    static const std::vector<Note> rise = {
        {0, 69, 6},  {6, 72, 2},  {8, 76, 4},  {12, 74, 4},   // Am
        {16, 72, 6}, {22, 69, 2}, {24, 72, 4}, {28, 74, 4},   // F
        {32, 76, 6}, {38, 79, 2}, {40, 76, 4}, {44, 74, 2}, {46, 72, 2},  // C
        {48, 74, 8}, {56, 71, 4}, {60, 67, 3}};               // G
    static const std::vector<Note> reply = {
        {0, 76, 4},  {4, 81, 4},  {8, 79, 4},  {12, 76, 4},   // Am
        {16, 74, 6}, {22, 76, 2}, {24, 71, 8},                // Em
        {32, 72, 4}, {36, 69, 4}, {40, 72, 4}, {44, 77, 4},   // F
        {48, 76, 6}, {54, 74, 2}, {56, 71, 4}, {60, 74, 3}};  // G
    static const std::vector<Note> bend = {
        {0, 69, 4},  {4, 72, 4},  {8, 77, 6},  {14, 76, 2},   // F
        {16, 74, 6}, {22, 71, 2}, {24, 67, 4}, {28, 71, 4},   // G
        {32, 76, 4}, {36, 79, 4}, {40, 83, 4}, {44, 79, 4},   // Em
        {48, 81, 12}};                                        // Am
    static const std::vector<Note> close = {
        {0, 77, 6},  {6, 76, 2},  {8, 74, 4},  {12, 69, 4},   // Dm
        {16, 72, 6}, {22, 71, 2}, {24, 69, 4}, {28, 76, 4},   // Am
        {32, 71, 4}, {36, 68, 4}, {40, 71, 4}, {44, 74, 4},   // E
        {48, 72, 8}, {56, 69, 6}};                            // Am
    switch (phrase) {
    case Phrase::Rise: return rise;
    case Phrase::Answer: return reply;
    case Phrase::Turn: return bend;
    case Phrase::Cadence: return close;
    }
    throw std::logic_error("Melody: unknown phrase");
}

int Melody::arpTone(const Chord& chord, int index) {
    const int octave = index / 3;
    return chord.voicing[static_cast<std::size_t>(index % 3)] + 12 * octave;
}
