// HarmonyPart: pad voices start a note only where their chord tone changes
// (or a part begins), so held tones ring on and changed ones cross-fade
// through the instrument's release; each section has its own arpeggio shape.
#include "tools/soundtrack/HarmonyPart.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/Kit.h"
#include "tools/soundtrack/Melody.h"

using namespace arrangement;

namespace {

// The octave-up pad of the lift, under the main pad; brighter in the finale.
int brightLevel(int order) { return order >= finaleEntry ? 34 : 24; }

bool pumping(int order) { return order >= snareEntry && !isHalfTime(order) && !isBreakdown(order); }

// Where a part begins, every pad voice starts afresh.
bool padsRestart(int order) { return order == 0 || isBigEntry(order) || order == endingOrder; }

const Melody::Chord& chordAt(const std::array<Melody::Chord, 4>& chords, int row) {
    return chords[static_cast<std::size_t>(row / barRows)];
}

}  // namespace

void HarmonyPart::write(ItPattern& pattern, int order) {
    if (order == endingOrder) return;  // the ending holds its own chord
    writePads(pattern, order);
    writeArpeggio(pattern, order);
    if (!isIntro(order)) writeBass(pattern, order);
    writeBells(pattern, order);
}

void HarmonyPart::writeBass(ItPattern& pattern, int order) {
    const auto chords = Melody::chordsOf(order);
    // Sixteenths on the second half of each beat, never on the kick: from
    // the tunnel on they roll between root and octave, the last beat of the
    // bar turning up to the fifth. Each note ends by itself within its row.
    static const int steps[3][8] = {
        {0, 0, 0, 0, 12, 0, 0, 7},     // the beat
        {0, 12, 0, 12, 0, 12, 7, 12},  // the tunnel
        {0, 12, 0, 12, 12, 0, 7, 12},  // the lift and the finale
    };
    static const int levels[8] = {58, 44, 54, 44, 58, 44, 54, 48};
    const int line = isBeat(order) ? 0 : liftOn(order) ? 2 : 1;
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        const int root = chords[static_cast<std::size_t>(bar)].bass;
        const int start = bar * barRows;
        if (kickDropped(order, bar)) {
            // The bar before an entry just holds its root.
            put(pattern, start, bassChannel, root, bassHeldVoice, 34);
            continue;
        }
        if (isHalfTime(order) || isBreakdown(order)) {
            // Held notes with room around them, entering after the downbeat.
            pattern.cell(start, bassChannel).note = ItCell::noteOff;
            put(pattern, start + 2, bassChannel, root, bassHeldVoice, 52);
            pattern.cell(start + 8, bassChannel).note = ItCell::noteOff;
            put(pattern, start + 11, bassChannel, root, bassHeldVoice, 40);
            put(pattern, start + 14, bassChannel, root + 12, bassHeldVoice, 36);
            continue;
        }
        // A held note from a bar before stops where the kick comes back.
        if (pattern.cell(start, bassChannel).empty()) pattern.cell(start, bassChannel).note = ItCell::noteOff;
        for (int step = 0; step < 8; ++step) {
            const int row = start + 4 * (step / 2) + 2 + step % 2;
            const int lean = order == beatEntry ? -8 : order >= finaleEntry ? 4 : 0;
            put(pattern, row, bassChannel, root + steps[line][step], bassVoice,
                touch(levels[step] + lean, order, row, bassChannel, 2));
        }
    }
    if (order == cues::torus.last) {
        // The drop-out before the finale: the line stops with the drums.
        for (int row = 60; row < patternRows; ++row) pattern.cell(row, bassChannel) = ItCell{};
    }
}

void HarmonyPart::writePads(ItPattern& pattern, int order) {
    const auto chords = Melody::chordsOf(order);
    // Fuller where the beat is thin (the intro, the half time, the breakdown),
    // under the lead once it sings over the lift, full again in the finale.
    const int level = isIntro(order) ? 50 : isBreakdown(order) ? 44 : isHalfTime(order) ? 42 : isPreLift(order) ? 20
                      : order >= finaleEntry ? 30 : liftOn(order) ? 22 : 34;
    const bool lift = liftOn(order), liftBefore = order > 0 && liftOn(order - 1);
    // The chord tones each layer was holding when this order began (-1: none).
    const std::array<int, 3> none{-1, -1, -1};
    std::array<int, 3> held = padsRestart(order) ? none : Melody::chordsOf(order - 1)[3].voicing;
    std::array<int, 3> brightHeld = liftBefore && !padsRestart(order) ? held : none;
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        const auto& voicing = chords[static_cast<std::size_t>(bar)].voicing;
        const int row = bar * barRows;
        for (std::size_t voice = 0; voice < 3; ++voice) {
            const int channel = static_cast<int>(voice), note = voicing[voice];
            if (note != held[voice]) {
                put(pattern, row, padLeftChannel + channel, note, padLeftVoice, level);
                put(pattern, row, padRightChannel + channel, note, padRightVoice, level);
            }
            if (lift && note != brightHeld[voice]) {
                put(pattern, row, brightPadChannel + channel, note + 12, brightPadVoice, brightLevel(order));
            }
            if (!lift && liftBefore && bar == 0) pattern.cell(0, brightPadChannel + channel).note = ItCell::noteOff;
            held[voice] = brightHeld[voice] = note;
        }
    }
    if (!pumping(order) && order != 0) return;
    for (int row = 0; row < (order == 0 ? 31 : patternRows); ++row) {
        // The pads duck under each kick and swell back before the next one;
        // the first order fades them in with the picture over 3.5 s.
        static const int pump[4] = {55, 75, 90, 100};
        const int percent = order == 0 ? 100 * row / 30 : pump[row % 4];
        for (int voice = 0; voice < 3; ++voice) {
            setVolume(pattern, row, padLeftChannel + voice, level * percent / 100);
            setVolume(pattern, row, padRightChannel + voice, level * percent / 100);
            if (lift) setVolume(pattern, row, brightPadChannel + voice, brightLevel(order) * percent / 100);
        }
    }
}

void HarmonyPart::writeArpeggio(ItPattern& pattern, int order) {
    if (order < arpeggioEntry) return;
    const auto chords = Melody::chordsOf(order);
    // One shape for each section: steps through the chord tones.
    static const int shapes[6][8] = {
        {0, 1, 2, 3, 4, 3, 2, 1},  // intro: up and down
        {0, 2, 4, 2, 1, 3, 5, 3},  // the beat: leaps
        {0, 1, 2, 1, 3, 2, 4, 2},  // half time and breakdown, in sixteenths
        {0, 1, 2, 4, 3, 2, 1, 2},  // main
        {0, 3, 1, 4, 2, 5, 3, 6},  // lift, in sixteenths
        {5, 4, 3, 2, 1, 2, 3, 4},  // finale: falling
    };
    const int shape = isIntro(order) ? 0 : isBeat(order) ? 1 : (isHalfTime(order) || isBreakdown(order)) ? 2
                      : isFinale(order) && order >= finaleEntry ? 5 : liftOn(order) ? 4 : 3;
    const bool sixteenths = shape == 2 || shape >= 4;
    for (int row = 0; row < patternRows; row += sixteenths ? 1 : 2) {
        if (order == cues::torus.last && row >= 60) break;  // the drop-out
        const int step = (sixteenths ? row : row / 2) % 8;
        const int note = Melody::arpTone(chordAt(chords, row), shapes[shape][step]) + 12;
        int level = sixteenths ? (row % 4 == 0 ? 36 : 24) + (order >= finaleEntry ? 8 : 0) : (isPreLift(order) ? 24 : 32);
        if (isIntro(order)) level = 12 + (order - arpeggioEntry) * 8 + row / 8;
        level = touch(level, order, row, arpChannel, 2);
        put(pattern, row, arpChannel, note, pluckVoice, level);
        put(pattern, row + 3, arpEchoChannel, note, pluckVoice, level * 2 / 5);
    }
}

void HarmonyPart::writeBells(ItPattern& pattern, int order) {
    if (order < bellEntry || order >= endingOrder || isPreLift(order)) return;
    const auto chords = Melody::chordsOf(order);
    const bool answering = Melody::versionOf(order) == Melody::Version::CallAndResponse && !isBreakdown(order);
    static const int shapes[3][4] = {{3, 5, 4, 6}, {6, 4, 5, 3}, {4, 6, 3, 5}};
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        if (answering && bar % 2 == 1) continue;  // the bells sing the lead's answer there
        const Melody::Chord& chord = chords[static_cast<std::size_t>(bar)];
        for (int beat = 0; beat < 4; ++beat) {
            const int row = bar * barRows + beat * 4 + 2;
            // Notes alternate between a bell on the left and one on the right.
            put(pattern, row, beat % 2 == 0 ? bellChannel : bellEchoChannel,
                Melody::arpTone(chord, shapes[(order + bar) % 3][beat]), bellVoice, isBreakdown(order) ? 30 : touch(26, order, row, bellChannel, 3));
        }
    }
    if (!answering) return;
    for (const Melody::Note& note : Melody::notesOf(Melody::phraseOf(order))) {
        if ((note.row / barRows) % 2 == 1) put(pattern, note.row, bellChannel, note.note, bellVoice, 40);
    }
}
