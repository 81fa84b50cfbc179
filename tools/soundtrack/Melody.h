// Melody: the written-out notes of the soundtrack - which chords each order
// plays and the lead phrases over them. Pure data and small lookups, kept
// apart from the pattern layout so the harmony reads in one place.
#pragma once

#include <array>
#include <vector>

class Melody {
public:
    // Notes count as in Impulse Tracker: C-5 = 60, one step a semitone.
    struct Chord {
        int bass;                  // root in the bass register (A-2 = 33 ... G-3 = 43)
        std::array<int, 3> voicing;  // close pad voicing around C-5
    };
    struct Note {
        int row;
        int note;
        int length;  // rows
    };
    enum class Phrase { Rise, Answer, Turn, Cadence };

    static constexpr int barRows = 16;
    static constexpr int barsPerOrder = 4;

    // The four chords, one a bar, that order `order` plays.
    static std::array<Chord, barsPerOrder> chordsOf(int order);
    // The lead phrase sung over a progression; each phrase fits its chords.
    static Phrase phraseOf(int order);
    static const std::vector<Note>& notesOf(Phrase phrase);
    // Chord tones spread upwards from the voicing: index 0 is the lowest.
    static int arpTone(const Chord& chord, int index);
};
