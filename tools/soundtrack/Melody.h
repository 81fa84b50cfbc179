// Melody: the written-out notes of the soundtrack - which chords each order
// plays and the lead phrases over them, each phrase in three versions. Pure
// data and small lookups, kept apart from the pattern layout so the harmony
// reads in one place.
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
    enum class Phrase { Rise, Answer, Turn, Cadence, Climb, Lifted };
    // As written; with grace notes and pushed beats; or singing only the
    // first and third bars and leaving the others to an answering voice.
    enum class Version { Plain, Ornamented, CallAndResponse };

    static constexpr int barRows = 16;
    static constexpr int barsPerOrder = 4;
    static constexpr int orderCount = 39;

    // The four chords, one a bar, that order `order` plays.
    static std::array<Chord, barsPerOrder> chordsOf(int order);
    // The lead phrase sung over an order's progression, and which version:
    // each progression's phrase comes back in the next version.
    static Phrase phraseOf(int order);
    static Version versionOf(int order);
    static const std::vector<Note>& notesOf(Phrase phrase);
    static std::vector<Note> notesOf(Phrase phrase, Version version);
    // Chord tones spread upwards from the voicing: index 0 is the lowest.
    static int arpTone(const Chord& chord, int index);
    // The next note of the A minor scale above `note` (G# and F# lead up too).
    static int stepAbove(int note);
};
