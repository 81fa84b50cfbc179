// LeadPart: each note ends in a note-off, so the instrument's release tails it
// instead of a cut; long notes get vibrato after they settle. From the lift on
// the chorus doubles an octave up.
#include "tools/soundtrack/LeadPart.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/Kit.h"
#include "tools/soundtrack/Melody.h"

using namespace arrangement;

namespace {

constexpr int echoRows = 3;  // a dotted eighth

bool sings(int order) { return order >= leadEntry && !isBreakdown(order) && order < endingOrder; }

void noteOffIfFree(ItPattern& pattern, int row, int channel) {
    if (row < patternRows && pattern.cell(row, channel).note == ItCell::noNote) {
        pattern.cell(row, channel).note = ItCell::noteOff;
    }
}

}  // namespace

void LeadPart::write(ItPattern& pattern, int order) {
    // An echo that outlasts the order before ends here.
    if (order > 0 && sings(order - 1)) {
        const auto before = Melody::notesOf(Melody::phraseOf(order - 1), Melody::versionOf(order - 1));
        const int end = before.back().row + before.back().length + echoRows - patternRows;
        if (end >= 0) noteOffIfFree(pattern, end, leadEchoChannel);
    }
    if (!sings(order)) return;
    const bool octaveDouble = liftOn(order);
    const std::vector<Melody::Note> notes = Melody::notesOf(Melody::phraseOf(order), Melody::versionOf(order));
    for (const Melody::Note& note : notes) {
        const bool barStart = note.row % barRows == 0;
        int volume = note.length == 1 ? 32 : barStart ? 52 : touch(44, order, note.row, leadChannel, 5);
        if (isPreLift(order)) volume = volume * 4 / 5;
        if (order >= finaleEntry) volume += 10;  // the finale's answer sung out over the fullest band
        put(pattern, note.row, leadChannel, note.note, leadVoice, volume);
        put(pattern, note.row, leadChorusChannel, note.note + (octaveDouble ? 12 : 0), leadChorusVoice,
            volume * (octaveDouble ? 1 : 2) / 3);
        put(pattern, note.row + echoRows, leadEchoChannel, note.note, leadVoice, volume * 2 / 5);
        for (int row = note.row + 3; row < note.row + note.length && note.length >= 6; ++row) {
            for (int channel : {leadChannel, leadChorusChannel}) effect(pattern, row, channel, 'H', 0x42);
        }
    }
    // Note-offs where a note ends before the next begins: the release rings there.
    for (const Melody::Note& note : notes) {
        const int end = note.row + note.length;
        noteOffIfFree(pattern, end, leadChannel);
        noteOffIfFree(pattern, end, leadChorusChannel);
        noteOffIfFree(pattern, end + echoRows, leadEchoChannel);
    }
}
