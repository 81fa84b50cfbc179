// Composition: the arrangement, laid on the pictures' cue table. Intro (orders
// 0-3) grows from a fading-in pad; a four-on-the-floor beat (4-9) carries the
// sphere's jolts; a half-time stretch (10-13); the long main part (14-29) adds
// a lead, bells and a lift; the finale (30-37) breaks down, builds and ends on
// one ringing chord (38). Every picture event on a single row gets an impact.
#include "tools/soundtrack/Composition.h"

#include "tools/soundtrack/Melody.h"
#include "tools/soundtrack/Synth.h"

#include <algorithm>

namespace {

// Sample numbers (1-based, sample mode).
enum Sample {
    kickSample = 1, snareSample, clapSample, closedHatSample, openHatSample, bassSample,
    padSample, brightPadSample, pluckSample, bellSample, leadSample, leadChorusSample, impactSample
};

// Channels.
enum Channel {
    kickChannel = 0, snareChannel, hatChannel, openHatChannel, bassChannel,
    padChannel,                // three voices
    brightPadChannel = 8,      // three voices
    arpChannel = 11, echoChannel, leadChannel, leadChorusChannel, bellChannel,
    impactChannel, accentSnareChannel, clapChannel, channelsUsed
};

// Channels whose notes hold through an accent; everything else falls silent
// on the row before one so the accent starts from a quiet bed.
bool holdsThroughAccent(int channel) {
    return (channel >= padChannel && channel < padChannel + 3) ||
           (channel >= brightPadChannel && channel < brightPadChannel + 3);
}

// Where the layers enter and the crashes that open a part: on the pictures'
// cues (the table counts orders unsigned, as the player reports them).
constexpr int arpeggioEntry = cues::introSpin;
constexpr int lastIntroOrder = cues::intro.last;                 // the hats build into the beat
constexpr int snareEntry = cues::pulsingSphereBeatOrders.first;  // with the pads' pump
constexpr int mainEntry = cues::torus.first;                     // a crash
constexpr int leadEntry = cues::torusWobble;
constexpr int bellEntry = cues::torusSpin;                       // with the claps
constexpr int liftEntry = cues::cubeStarOverlay.first;
constexpr int finaleEntry = cues::cubeGrid.first;                // a crash
constexpr int endingOrder = Composition::orderCount - 1;

constexpr int middleC = 60;
constexpr int liftLevel = 24;  // the octave-up pad of the lift, under the main pad

void put(ItPattern& pattern, int row, int channel, int note, int sample, int volume) {
    if (row < 0 || row >= pattern.rows()) return;
    ItCell& cell = pattern.cell(row, channel);
    cell.note = note;
    cell.instrument = sample;
    cell.volume = std::clamp(volume, 0, 64);
}

void setVolume(ItPattern& pattern, int row, int channel, int volume) {
    pattern.cell(row, channel).volume = std::clamp(volume, 0, 64);
}

bool isIntro(int order) { return cues::intro.contains(order); }
bool isBeat(int order) { return cues::pulsingSphere.contains(order); }
bool isHalfTime(int order) { return cues::cubeStar.contains(order); }
bool isMain(int order) { return cues::torus.contains(order); }
bool isBreakdown(int order) { return order == 32 || order == 33; }
bool isFinale(int order) { return cues::cubeGrid.contains(order) && order < endingOrder; }
bool pumping(int order) { return order >= snareEntry && !isHalfTime(order) && !isBreakdown(order); }
bool liftOn(int order) { return order >= liftEntry && order < endingOrder && !isBreakdown(order); }

}  // namespace

ItModule Composition::build() const {
    ItModule module;
    module.songName = "Tolvane";
    module.initialSpeed = speed;
    module.initialTempo = tempo;
    module.globalVolume = 128;
    module.mixVolume = 44;
    module.samples = {Synth::kick(),  Synth::snare(),     Synth::clap(),      Synth::closedHat(),
                      Synth::openHat(), Synth::bass(),    Synth::pad(false),  Synth::pad(true),
                      Synth::pluck(), Synth::bell(),      Synth::lead(0.0),   Synth::lead(7.0),
                      Synth::impact()};
    const int pans[channelsUsed] = {32, 30, 40, 24, 32, 14, 32, 50, 6, 32, 58,
                                    20, 46, 26, 40, 50, 32, 34, 30};
    for (int channel = 0; channel < ItModule::channelCount; ++channel) {
        module.channelPan[static_cast<std::size_t>(channel)] =
            channel < channelsUsed ? pans[channel] : 32 + 128;  // unused channels off
    }
    for (int order = 0; order < orderCount; ++order) {
        ItPattern pattern(patternRows);
        writeOrder(pattern, order);
        module.patterns.push_back(pattern);
        module.orders.push_back(order);
    }
    for (cues::Position event : cues::rowEvents()) placeAccent(module, event);
    // The closing chord lands with the same weight.
    placeAccent(module, {cues::demoEnd.order, 0});
    return module;
}

void Composition::placeAccent(ItModule& module, cues::Position at) {
    const int order = static_cast<int>(at.order), row = static_cast<int>(at.row);
    if (row > 0) {
        silenceRow(module.patterns[static_cast<std::size_t>(order)], row - 1);
    } else {
        silenceRow(module.patterns[static_cast<std::size_t>(order - 1)], patternRows - 1);
    }
    writeAccent(module.patterns[static_cast<std::size_t>(order)], order, row);
}

void Composition::writeOrder(ItPattern& pattern, int order) const {
    if (order == endingOrder) {
        writeEnding(pattern);
        return;
    }
    writePads(pattern, order);
    writeArpeggio(pattern, order);
    if (!isIntro(order)) writeBass(pattern, order);
    writeDrums(pattern, order);
    writeLead(pattern, order);
    writeBells(pattern, order);
}

void Composition::writeDrums(ItPattern& pattern, int order) const {
    if (isIntro(order)) {
        if (order == lastIntroOrder) {
            for (int row = 0; row < 56; row += 2) put(pattern, row, hatChannel, middleC, closedHatSample, 10 + row / 4);
            for (int row = 56; row < 64; ++row) put(pattern, row, snareChannel, middleC, snareSample, 10 + (row - 56) * 4);
        }
        return;
    }
    if (isHalfTime(order)) {
        for (int half = 0; half < 64; half += 32) {
            for (int row : {0, 10, 22}) put(pattern, half + row, kickChannel, middleC, kickSample, 60);
            put(pattern, half + 16, clapChannel, middleC, clapSample, 56);
            put(pattern, half + 16, snareChannel, middleC, snareSample, 30);
        }
        static const int hatLevels[4] = {24, 9, 15, 9};
        for (int row = 0; row < 64; ++row) put(pattern, row, hatChannel, middleC, closedHatSample, hatLevels[row % 4]);
        return;
    }
    const bool breakdown = isBreakdown(order);
    if (!breakdown) {
        for (int row = 0; row < 64; row += 4) put(pattern, row, kickChannel, middleC, kickSample, 50);
    }
    const bool snares = order >= snareEntry && !breakdown;
    for (int bar = 0; bar < 64; bar += 16) {
        if (snares) {
            put(pattern, bar + 4, snareChannel, middleC, snareSample, 44);
            put(pattern, bar + 12, snareChannel, middleC, snareSample, 44);
            if (order >= bellEntry) {
                put(pattern, bar + 4, clapChannel, middleC, clapSample, 34);
                put(pattern, bar + 12, clapChannel, middleC, clapSample, 34);
            }
            if (order >= mainEntry && bar % 32 == 16) put(pattern, bar + 14, snareChannel, middleC, snareSample, 16);
        } else if (order == 5) {
            put(pattern, bar + 12, clapChannel, middleC, clapSample, 40);
        }
    }
    if (isBeat(order)) {
        for (int row = 0; row < 64; row += 2) put(pattern, row, hatChannel, middleC, closedHatSample, row % 4 == 2 ? 30 : 18);
        return;
    }
    static const int hatLevels[4] = {30, 12, 22, 12};
    const int hatScale = breakdown ? 2 : 1;
    for (int row = 0; row < 64; ++row) {
        if (liftOn(order) && row % 4 == 2) {
            put(pattern, row, openHatChannel, middleC, openHatSample, 30);
        } else {
            put(pattern, row, hatChannel, middleC, closedHatSample, hatLevels[row % 4] / hatScale);
        }
    }
    // Builds into the next order: a snare roll that grows louder.
    if (order == 33) {
        for (int row = 32; row < 64; row += (row < 48 ? 2 : 1)) {
            put(pattern, row, snareChannel, middleC, snareSample, 14 + (row - 32) * 3 / 2);
        }
    }
    // Fills that hand one phrase on to the next.
    if (order == 9 || order == 15 || order == 21 || order == 27 || order == 29) {
        for (int row = 56; row < 64; ++row) put(pattern, row, snareChannel, middleC, snareSample, 20 + (row - 56) * 4);
        put(pattern, 60, clapChannel, middleC, clapSample, 40);
    }
    // A crash opens the main part and the finale.
    if (order == mainEntry || order == finaleEntry || order == 34) put(pattern, 0, impactChannel, middleC, impactSample, 30);
    if (order == 36) {
        for (int row = 48; row < 63; ++row) put(pattern, row, snareChannel, middleC, snareSample, 24 + (row - 48) * 2);
    }
}

void Composition::writeBass(ItPattern& pattern, int order) const {
    const auto chords = Melody::chordsOf(order);
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        const int root = chords[static_cast<std::size_t>(bar)].bass;
        const int start = bar * Melody::barRows;
        if (isHalfTime(order) || isBreakdown(order)) {
            put(pattern, start, bassChannel, root, bassSample, 52);
            put(pattern, start + 10, bassChannel, root, bassSample, 40);
            put(pattern, start + 14, bassChannel, root + 12, bassSample, 36);
            continue;
        }
        // An eighth-note line: root, octave and fifth, the downbeats leaning in.
        // The second half of the main part and the finale bounce more, with
        // a sixteenth pickup into each bar.
        static const int steps[2][8] = {{0, 0, 12, 0, 0, 12, 7, 12}, {0, 12, 0, 12, 7, 12, 0, 7}};
        static const int levels[8] = {56, 36, 44, 36, 52, 36, 44, 40};
        const bool bouncing = (order >= 24 && order <= 29) || order >= 34;
        for (int step = 0; step < 8; ++step) {
            put(pattern, start + 2 * step, bassChannel, root + steps[bouncing ? 1 : 0][step], bassSample,
                order == 4 ? levels[step] - 8 : levels[step]);
        }
        if (bouncing) put(pattern, start + 15, bassChannel, root + 12, bassSample, 30);
    }
}

void Composition::writePads(ItPattern& pattern, int order) const {
    const auto chords = Melody::chordsOf(order);
    const int level = isIntro(order) ? 34 : (isBreakdown(order) ? 36 : 28);
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        for (int voice = 0; voice < 3; ++voice) {
            const int note = chords[static_cast<std::size_t>(bar)].voicing[static_cast<std::size_t>(voice)];
            put(pattern, bar * Melody::barRows, padChannel + voice, note, padSample, level);
            if (liftOn(order)) {
                put(pattern, bar * Melody::barRows, brightPadChannel + voice, note + 12, brightPadSample, liftLevel);
            }
        }
    }
    if (pumping(order)) {
        // The pads duck under each kick and swell back before the next one.
        static const int pump[4] = {55, 75, 90, 100};
        for (int row = 0; row < 64; ++row) {
            for (int voice = 0; voice < 3; ++voice) {
                setVolume(pattern, row, padChannel + voice, level * pump[row % 4] / 100);
                if (liftOn(order)) setVolume(pattern, row, brightPadChannel + voice, liftLevel * pump[row % 4] / 100);
            }
        }
    }
    if (order == 0) {
        // Fades in with the picture over the first 3.5 s (30 rows).
        for (int row = 0; row <= 30; ++row) {
            for (int voice = 0; voice < 3; ++voice) setVolume(pattern, row, padChannel + voice, level * row / 30);
        }
    }
}

void Composition::writeArpeggio(ItPattern& pattern, int order) const {
    if (order < arpeggioEntry) return;
    const auto chords = Melody::chordsOf(order);
    const bool sixteenths = isHalfTime(order) || isBreakdown(order);
    static const int shape[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    for (int row = 0; row < 64; row += sixteenths ? 1 : 2) {
        const Melody::Chord& chord = chords[static_cast<std::size_t>(row / Melody::barRows)];
        const int step = (sixteenths ? row : row / 2) % 8;
        const int note = Melody::arpTone(chord, shape[step]) + 12;
        int level = sixteenths ? (row % 4 == 0 ? 34 : 22) : 26;
        if (isIntro(order)) level = 12 + (order - arpeggioEntry) * 64 / 8 + row / 8;
        if (isMain(order) || isFinale(order)) level -= 6;
        put(pattern, row, arpChannel, note, pluckSample, level);
        put(pattern, row + 3, echoChannel, note, pluckSample, level * 2 / 5);
    }
}

void Composition::writeLead(ItPattern& pattern, int order) const {
    if (order < leadEntry || isBreakdown(order) || order >= endingOrder) return;
    const bool octaveDouble = (order >= 24 && order <= 29) || order >= 34;
    for (const Melody::Note& note : Melody::notesOf(Melody::phraseOf(order))) {
        put(pattern, note.row, leadChannel, note.note, leadSample, 44);
        put(pattern, note.row, leadChorusChannel, note.note + (octaveDouble ? 12 : 0), leadChorusSample,
            octaveDouble ? 22 : 30);
        for (int row = note.row + 3; row < note.row + note.length && note.length >= 6; ++row) {
            for (int channel : {leadChannel, leadChorusChannel}) {
                ItCell& cell = pattern.cell(row, channel);
                cell.command = 'H';
                cell.parameter = 0x42;
            }
        }
        const int end = note.row + note.length;
        if (end < 64 && pattern.cell(end, leadChannel).note == ItCell::noNote) {
            pattern.cell(end, leadChannel).note = ItCell::noteCut;
            pattern.cell(end, leadChorusChannel).note = ItCell::noteCut;
        }
    }
}

void Composition::writeBells(ItPattern& pattern, int order) const {
    if (order < bellEntry || order >= endingOrder) return;
    const auto chords = Melody::chordsOf(order);
    static const int shapes[2][4] = {{3, 5, 4, 6}, {6, 4, 5, 3}};
    for (int bar = 0; bar < Melody::barsPerOrder; ++bar) {
        const Melody::Chord& chord = chords[static_cast<std::size_t>(bar)];
        for (int beat = 0; beat < 4; ++beat) {
            put(pattern, bar * 16 + beat * 4 + 2, bellChannel, Melody::arpTone(chord, shapes[bar % 2][beat]),
                bellSample, isBreakdown(order) ? 34 : 26);
        }
    }
}

void Composition::writeEnding(ItPattern& pattern) const {
    const Melody::Chord home = Melody::chordsOf(orderCount - 1)[0];
    put(pattern, 0, kickChannel, middleC, kickSample, 64);
    put(pattern, 0, openHatChannel, middleC, openHatSample, 44);
    put(pattern, 0, bassChannel, home.bass, bassSample, 56);
    put(pattern, 0, leadChannel, 69, leadSample, 40);
    put(pattern, 0, leadChorusChannel, 81, leadChorusSample, 20);
    for (int voice = 0; voice < 3; ++voice) {
        put(pattern, 0, padChannel + voice, home.voicing[static_cast<std::size_t>(voice)], padSample, 40);
        put(pattern, 0, brightPadChannel + voice, home.voicing[static_cast<std::size_t>(voice)] + 12,
            brightPadSample, 20);
    }
    put(pattern, 0, arpChannel, home.voicing[0] + 24, pluckSample, 30);
    put(pattern, 3, echoChannel, home.voicing[0] + 24, pluckSample, 12);
    // The final chord rings on and fades slowly until the module ends.
    for (int row = 1; row < 64; ++row) {
        const int left = 64 - row;
        for (int voice = 0; voice < 3; ++voice) {
            setVolume(pattern, row, padChannel + voice, 8 + 32 * left / 63);
            setVolume(pattern, row, brightPadChannel + voice, 3 + 17 * left / 63);
        }
        setVolume(pattern, row, bassChannel, 4 + 52 * left * left / (63 * 63));
        setVolume(pattern, row, leadChannel, 40 * left / 63);
        setVolume(pattern, row, leadChorusChannel, 20 * left / 63);
        if (row >= 6) {
            pattern.cell(row, leadChannel).command = 'H';
            pattern.cell(row, leadChannel).parameter = 0x32;
        }
    }
}

void Composition::writeAccent(ItPattern& pattern, int order, int row) {
    // The bass hits with the impact, also off the beat, so the accent lands
    // with the full weight of the groove behind it.
    const auto chords = Melody::chordsOf(order);
    put(pattern, row, bassChannel, chords[static_cast<std::size_t>(row / Melody::barRows)].bass, bassSample, 60);
    put(pattern, row, impactChannel, middleC, impactSample, 64);
    put(pattern, row, accentSnareChannel, middleC, snareSample, 64);
    put(pattern, row, kickChannel, middleC, kickSample, 64);
}

void Composition::silenceRow(ItPattern& pattern, int row) {
    for (int channel = 0; channel < channelsUsed; ++channel) {
        if (!holdsThroughAccent(channel)) pattern.cell(row, channel) = ItCell{};
    }
}
