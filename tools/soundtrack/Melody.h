// Melody: the written-out notes of the soundtrack - which chords each order
// plays and the lead line over them: a hook stated in the tunnel, developed
// over the overlay and answered in the finale, no order singing another's
// line note for note. Pure data and small lookups, kept apart from the
// pattern layout so the harmony reads in one place.
#pragma once

#include <array>
#include <vector>

class Melody {
public:
    // Notes count as in Impulse Tracker: C-5 = 60, one step a semitone.
    struct Chord {
        int bass;                    // root in the bass register (A-2 = 33 ... G-3 = 43)
        std::array<int, 3> voicing;  // close pad voicing around C-5
    };
    struct Note {
        int row;
        int note;
        int length;  // rows
    };
    // The hook and what grows out of it, then the phrases between its statements.
    enum class Phrase {
        Hook, HookAnswered, HookDeveloped, HookSequence, FinaleAnswer, FinaleLifted, FinaleHook,
        Turn, TurnHigh, Climb, Cadence, Lifted, Final
    };
    static constexpr int phraseCount = static_cast<int>(Phrase::Final) + 1;
    // As written; with grace notes and pushed beats; or singing only the
    // first and third bars and leaving the others to an answering voice.
    enum class Version { Plain, Ornamented, CallAndResponse };

    static constexpr int barRows = 16;
    static constexpr int barsPerOrder = 4;
    static constexpr int orderCount = 39;

    // The four chords, one a bar, that order `order` plays.
    static std::array<Chord, barsPerOrder> chordsOf(int order);
    // The lead phrase sung over an order's progression, and which version;
    // where the lead rests, the phrase that fits the progression.
    static Phrase phraseOf(int order);
    static Version versionOf(int order);
    static const std::vector<Note>& notesOf(Phrase phrase);
    static std::vector<Note> notesOf(Phrase phrase, Version version);
    // Chord tones spread upwards from the voicing: index 0 is the lowest.
    static int arpTone(const Chord& chord, int index);
    // The next note of the A minor scale above `note` (G# and F# lead up too).
    static int stepAbove(int note);
};
