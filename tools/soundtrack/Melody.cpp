// Melody: A minor, with the colour of a raised third now and then - E major
// as the dominant, the bright D major of the lifted progression and the A
// major that closes the piece. The hook is two bars - up the chord in a
// 3-3-2 rhythm, a turn, then a long fall - and its sequence a step lower.
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
using Phrase = Melody::Phrase;
using Version = Melody::Version;

const Progression home = {Am, F, C, G};
const Progression answer = {Am, Em, F, G};
const Progression turn = {F, G, Em, Am};
const Progression cadence = {Dm, Am, E, Am};
const Progression climb = {Dm, G, C, E};
const Progression lifted = {Am, D, F, E};
const Progression lastCadence = {F, G, E, E};  // the dominant held for the last fill
const Progression closing = {A, A, A, A};

struct Line {
    const Progression* progression;
    Phrase phrase;
    Version version;
};

constexpr Version plain = Version::Plain;
constexpr Version ornamented = Version::Ornamented;

// One progression and one lead line an order. The lead enters at 16 with the
// hook, and every line it sings is sung once.
const Line& lineOf(int order) {
    static const Line table[Melody::orderCount] = {
        // 0-3 intro, into the beat on E
        {&home, Phrase::Hook, plain}, {&answer, Phrase::HookSequence, plain}, {&home, Phrase::Hook, plain},
        {&climb, Phrase::Climb, plain},
        // 4-9 beat
        {&home, Phrase::Hook, plain}, {&answer, Phrase::HookSequence, plain}, {&home, Phrase::Hook, plain},
        {&turn, Phrase::Turn, plain}, {&climb, Phrase::Climb, plain}, {&cadence, Phrase::Cadence, plain},
        // 10-13 half time
        {&turn, Phrase::Turn, plain}, {&lifted, Phrase::Lifted, plain}, {&cadence, Phrase::Cadence, plain},
        {&climb, Phrase::Climb, plain},
        // 14-21 the tunnel: the hook, its answer, a turn, the hook again
        {&home, Phrase::Hook, plain}, {&answer, Phrase::HookSequence, plain}, {&home, Phrase::Hook, plain},
        {&home, Phrase::HookAnswered, plain}, {&turn, Phrase::Turn, plain}, {&home, Phrase::Hook, ornamented},
        {&climb, Phrase::Climb, plain}, {&cadence, Phrase::Cadence, plain},
        // 22-29 the overlay: the hook developed, sequenced, broken up between lead and bells
        {&home, Phrase::HookDeveloped, plain}, {&answer, Phrase::HookSequence, plain}, {&lifted, Phrase::Lifted, plain},
        {&turn, Phrase::TurnHigh, plain}, {&home, Phrase::Hook, Version::CallAndResponse},
        {&climb, Phrase::Climb, ornamented}, {&turn, Phrase::TurnHigh, ornamented}, {&cadence, Phrase::Cadence, ornamented},
        // 30-33 the finale opens, then breaks down
        {&home, Phrase::HookDeveloped, ornamented}, {&answer, Phrase::HookSequence, ornamented},
        {&turn, Phrase::Turn, plain}, {&climb, Phrase::Climb, plain},
        // 34-37 the finale answers the hook, sings it once more and climbs to the end
        {&home, Phrase::FinaleAnswer, plain}, {&lifted, Phrase::FinaleLifted, plain}, {&home, Phrase::FinaleHook, plain},
        {&lastCadence, Phrase::Final, plain},
        // 38 the closing chord
        {&closing, Phrase::Hook, plain}};
    if (order < 0 || order >= Melody::orderCount) throw std::out_of_range("Melody: no such order");
    return table[order];
}

}  // namespace

std::array<Melody::Chord, Melody::barsPerOrder> Melody::chordsOf(int order) {
    const Progression& names = *lineOf(order).progression;
    std::array<Chord, barsPerOrder> chords;
    for (std::size_t bar = 0; bar < chords.size(); ++bar) chords[bar] = chord(names[bar]);
    return chords;
}

Melody::Phrase Melody::phraseOf(int order) { return lineOf(order).phrase; }

Melody::Version Melody::versionOf(int order) { return lineOf(order).version; }

const std::vector<Melody::Note>& Melody::notesOf(Phrase phrase) {
    // A5 = 69, C-6 = 72, E-6 = 76, A-6 = 81, C-7 = 84. Each bar's notes on one line.
    static const std::vector<Note> hook = {
        {0, 69, 3},  {3, 72, 3},  {6, 76, 2},  {8, 74, 2},  {10, 72, 2}, {12, 74, 4},  // Am
        {16, 76, 3}, {19, 76, 3}, {22, 74, 2}, {24, 72, 8},                           // F
        {32, 67, 3}, {35, 72, 3}, {38, 76, 2}, {40, 74, 2}, {42, 72, 2}, {44, 74, 4},  // C
        {48, 74, 3}, {51, 74, 3}, {54, 72, 2}, {56, 71, 6}};                          // G
    static const std::vector<Note> hookAnswered = {
        {0, 69, 3},  {3, 72, 3},  {6, 76, 2},  {8, 74, 2},  {10, 72, 2}, {12, 74, 4},
        {16, 76, 3}, {19, 76, 3}, {22, 74, 2}, {24, 72, 8},
        {32, 76, 3}, {35, 79, 3}, {38, 76, 2}, {40, 74, 2}, {42, 72, 2}, {44, 76, 4},
        {48, 74, 6}, {54, 71, 2}, {56, 67, 4}, {60, 71, 3}};
    static const std::vector<Note> hookDeveloped = {
        {0, 69, 3},  {3, 72, 3},  {6, 76, 2},  {8, 74, 2},  {10, 72, 2}, {12, 76, 4},
        {16, 77, 3}, {19, 77, 3}, {22, 76, 2}, {24, 72, 4}, {28, 74, 4},
        {32, 79, 3}, {35, 76, 3}, {38, 72, 2}, {40, 74, 2}, {42, 76, 2}, {44, 79, 4},
        {48, 81, 6}, {54, 79, 2}, {56, 74, 4}, {60, 71, 3}};
    static const std::vector<Note> hookSequence = {  // over Am Em F G
        {0, 69, 3},  {3, 72, 3},  {6, 76, 2},  {8, 74, 2},  {10, 72, 2}, {12, 74, 4},
        {16, 71, 3}, {19, 71, 3}, {22, 69, 2}, {24, 67, 8},
        {32, 69, 3}, {35, 72, 3}, {38, 77, 2}, {40, 76, 2}, {42, 72, 2}, {44, 74, 4},
        {48, 74, 3}, {51, 79, 3}, {54, 77, 2}, {56, 74, 6}};
    static const std::vector<Note> finaleAnswer = {  // the hook turned upside down, rising
        {0, 76, 3},  {3, 72, 3},  {6, 69, 2},  {8, 71, 2},  {10, 72, 2}, {12, 76, 4},
        {16, 81, 3}, {19, 81, 3}, {22, 79, 2}, {24, 77, 8},
        {32, 76, 3}, {35, 72, 3}, {38, 67, 2}, {40, 69, 2}, {42, 72, 2}, {44, 76, 4},
        {48, 79, 3}, {51, 79, 3}, {54, 81, 2}, {56, 83, 7}};
    static const std::vector<Note> finaleLifted = {  // over Am D F E
        {0, 84, 6},  {6, 83, 2},  {8, 81, 4},  {12, 76, 4},
        {16, 78, 3}, {19, 78, 3}, {22, 76, 2}, {24, 74, 4}, {28, 78, 4},
        {32, 81, 3}, {35, 81, 3}, {38, 79, 2}, {40, 77, 2}, {42, 76, 2}, {44, 77, 4},
        {48, 76, 6}, {54, 74, 2}, {56, 71, 4}, {60, 68, 3}};
    static const std::vector<Note> finaleHook = {  // the hook, and the answer on top
        {0, 69, 3},  {3, 72, 3},  {6, 76, 2},  {8, 74, 2},  {10, 72, 2}, {12, 74, 4},
        {16, 76, 3}, {19, 76, 3}, {22, 74, 2}, {24, 72, 8},
        {32, 79, 3}, {35, 76, 3}, {38, 72, 2}, {40, 74, 2}, {42, 76, 2}, {44, 79, 4},
        {48, 83, 3}, {51, 83, 3}, {54, 81, 2}, {56, 79, 4}, {60, 83, 2}};  // let go before the fade
    static const std::vector<Note> turnPhrase = {  // over F G Em Am
        {0, 72, 6},  {6, 69, 2},  {8, 72, 4},  {12, 77, 4},
        {16, 74, 6}, {22, 71, 2}, {24, 67, 8},
        {32, 71, 4}, {36, 76, 4}, {40, 79, 4}, {44, 76, 4},
        {48, 76, 8}, {56, 72, 4}, {60, 71, 3}};
    static const std::vector<Note> turnHigh = {
        {0, 77, 3},  {3, 76, 3},  {6, 72, 2},  {8, 69, 4},  {12, 72, 4},
        {16, 71, 3}, {19, 74, 3}, {22, 79, 2}, {24, 77, 4}, {28, 74, 4},
        {32, 76, 3}, {35, 79, 3}, {38, 83, 2}, {40, 81, 4}, {44, 79, 4},
        {48, 81, 8}, {56, 76, 4}, {60, 72, 3}};
    static const std::vector<Note> climbPhrase = {  // over Dm G C E: the hook's shape a fourth up
        {0, 74, 3},  {3, 77, 3},  {6, 81, 2},  {8, 79, 2},  {10, 77, 2}, {12, 79, 4},
        {16, 74, 3}, {19, 74, 3}, {22, 72, 2}, {24, 71, 8},
        {32, 72, 3}, {35, 76, 3}, {38, 79, 2}, {40, 77, 2}, {42, 76, 2}, {44, 77, 4},
        {48, 80, 6}, {54, 76, 2}, {56, 71, 7}};
    static const std::vector<Note> cadencePhrase = {  // over Dm Am E Am, leaving the last beat free
        {0, 77, 6},  {6, 76, 2},  {8, 74, 4},  {12, 69, 4},
        {16, 72, 6}, {22, 71, 2}, {24, 69, 8},
        {32, 71, 4}, {36, 68, 4}, {40, 71, 4}, {44, 74, 4},
        {48, 72, 6}, {54, 71, 2}, {56, 69, 4}};
    static const std::vector<Note> liftedPhrase = {  // over Am D F E
        {0, 76, 3},  {3, 81, 3},  {6, 79, 2},  {8, 76, 4},  {12, 72, 4},
        {16, 74, 3}, {19, 78, 3}, {22, 81, 2}, {24, 78, 8},
        {32, 77, 3}, {35, 76, 3}, {38, 72, 2}, {40, 69, 4}, {44, 72, 4},
        {48, 71, 6}, {54, 68, 2}, {56, 76, 7}};
    static const std::vector<Note> finalPhrase = {  // over F G E E: up to the B held over the last fill
        {0, 84, 8},  {8, 81, 4},  {12, 77, 4},
        {16, 83, 8}, {24, 79, 4}, {28, 74, 4},
        {32, 76, 3}, {35, 80, 3}, {38, 83, 2}, {40, 80, 4}, {44, 83, 4},
        {48, 83, 12}};
    switch (phrase) {
    case Phrase::Hook: return hook;
    case Phrase::HookAnswered: return hookAnswered;
    case Phrase::HookDeveloped: return hookDeveloped;
    case Phrase::HookSequence: return hookSequence;
    case Phrase::FinaleAnswer: return finaleAnswer;
    case Phrase::FinaleLifted: return finaleLifted;
    case Phrase::FinaleHook: return finaleHook;
    case Phrase::Turn: return turnPhrase;
    case Phrase::TurnHigh: return turnHigh;
    case Phrase::Climb: return climbPhrase;
    case Phrase::Cadence: return cadencePhrase;
    case Phrase::Lifted: return liftedPhrase;
    case Phrase::Final: return finalPhrase;
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
