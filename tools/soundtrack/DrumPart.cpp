// DrumPart: four on the floor with a backbeat of stereo snare and clap pairs
// (each pair the same hit in two rooms, panned apart), sixteenth hats pushed
// a tick late on the off-sixteenths, and a different fill into every part.
#include "tools/soundtrack/DrumPart.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/Kit.h"

using namespace arrangement;

namespace {

void snare(ItPattern& pattern, int row, int volume) {
    put(pattern, row, snareChannel, middleC, snareVoice, volume);
    put(pattern, row, snareWideChannel, middleC, snareWideVoice, volume);
}

void clap(ItPattern& pattern, int row, int volume) {
    put(pattern, row, clapChannel, middleC, clapVoice, volume);
    put(pattern, row, clapWideChannel, middleC, clapWideVoice, volume);
}

void tom(ItPattern& pattern, int row, int note, int volume) { put(pattern, row, tomChannel, note, tomVoice, volume); }

// A snare that retriggers every three ticks: two hits a row.
void roll(ItPattern& pattern, int row, int volume) {
    snare(pattern, row, volume);
    effect(pattern, row, snareChannel, 'Q', 0x03);
    effect(pattern, row, snareWideChannel, 'Q', 0x03);
}

void crescendo(ItPattern& pattern, int from, int to, int low, int high, bool rolled) {
    for (int row = from; row <= to; ++row) {
        const int volume = low + (high - low) * (row - from) / (to - from);
        rolled ? roll(pattern, row, volume) : snare(pattern, row, volume);
    }
}

bool pushedBackbeat(int row) {
    for (unsigned jolt : cues::pulsingSphereBeatRows) {
        if (static_cast<int>(jolt) == row + 1) return true;
    }
    return false;
}

// Soft snare strokes between the backbeats; the places change from bar to bar.
void ghostNotes(ItPattern& pattern, int order, int bar) {
    static const int places[4][3] = {{7, 10, -1}, {3, 14, -1}, {10, 15, -1}, {7, 9, 15}};
    for (int place : places[(order + bar) % 4]) {
        if (place >= 0) put(pattern, bar * barRows + place, snareChannel, middleC, snareVoice, touch(12, order, place, 1, 3));
    }
}

}  // namespace

void DrumPart::write(ItPattern& pattern, int order) {
    if (isIntro(order)) {
        if (order == cues::intro.last) writeHats(pattern, order);
    } else if (isHalfTime(order)) {
        writeHalfTime(pattern, order);
    } else if (order < endingOrder) {
        writeBeat(pattern, order);
    }
    writeFill(pattern, order);
}

void DrumPart::writeBeat(ItPattern& pattern, int order) {
    const bool breakdown = isBreakdown(order);
    for (int bar = 0; bar < 4; ++bar) {
        const int start = bar * barRows;
        if (!breakdown && !kickDropped(order, bar)) {
            for (int beat = 0; beat < barRows; beat += 4) {
                // Under the sphere's jolts the plain kicks step back a little, so the jolts stand out.
                const int kick = cues::pulsingSphereBeatOrders.contains(order) ? 49 : order >= finaleEntry ? 57 : 53;
                put(pattern, start + beat, kickChannel, middleC, kickVoice, touch(kick, order, start + beat, kickChannel, 3));
            }
        }
        if (breakdown) {
            if (order == breakdownFirst) clap(pattern, start + 8, 30);
            continue;
        }
        if (order >= snareEntry) {
            const int held = isPreLift(order) ? 10 : 0;  // the order before the lift holds back
            for (int beat : {4, 12}) {
                // Where the sphere jolts a sixteenth after the backbeat, the jolt
                // is the backbeat, pushed: the snare there only ghosts.
                const bool pushed = cues::pulsingSphereBeatOrders.contains(order) && pushedBackbeat(start + beat);
                snare(pattern, start + beat, touch(pushed ? 20 : 56 - held, order, start + beat, snareChannel, 3));
                if (pushed) continue;
                if (order >= mainEntry) {
                    const int level = order >= finaleEntry ? 46 : 34 - held;  // the finale claps harder
                    clap(pattern, start + beat, touch(level, order, start + beat, clapChannel, 3));
                }
            }
            ghostNotes(pattern, order, bar);
        } else if (order == snareEntry - 1) {
            clap(pattern, start + 12, 44);
        }
    }
    writeHats(pattern, order);
}

void DrumPart::writeHalfTime(ItPattern& pattern, int order) {
    for (int half = 0; half < patternRows; half += 32) {
        for (int row : {0, 10, 22}) {
            if (!kickDropped(order, (half + row) / barRows)) {
                put(pattern, half + row, kickChannel, middleC, kickVoice, touch(47, order, half + row, kickChannel, 3));
            }
        }
        clap(pattern, half + 16, 40);
        snare(pattern, half + 16, 34);
    }
    writeHats(pattern, order);
}

void DrumPart::writeHats(ItPattern& pattern, int order) {
    if (isIntro(order)) {
        // Eighths growing into the beat.
        for (int row = 0; row < 56; row += 2) put(pattern, row, hatChannel, middleC, closedHatVoice, 10 + row / 4);
        return;
    }
    const bool sixteenths = (!isBeat(order) || order >= 8) && !isPreLift(order);
    static const int levels[4] = {34, 26, 58, 26};
    const int scale = isBreakdown(order) ? 2 : 1;
    const int openLevel = order >= finaleEntry ? 46 : 32;
    for (int row = 0; row < patternRows; ++row) {
        if (!sixteenths && row % 2 == 1) continue;
        if (liftOn(order) && row % 4 == 2) {
            put(pattern, row, openHatChannel, middleC, openHatVoice, touch(openLevel, order, row, openHatChannel, 3));
            continue;
        }
        const int level = isBeat(order) ? (row % 4 == 2 ? 52 : (row % 2 == 0 ? 36 : 20)) : levels[row % 4] / scale;
        put(pattern, row, hatChannel, middleC, closedHatVoice, touch(level, order, row, hatChannel, 3));
        // The off-sixteenths a tick late: a little swing.
        if (row % 2 == 1) effect(pattern, row, hatChannel, 'S', 0xD1);
    }
}

void DrumPart::writeFill(ItPattern& pattern, int order) {
    switch (order) {
    case 3: {  // toms falling into the beat
        static const int falling[8] = {67, 67, 64, 64, 60, 60, 57, 55};
        for (int i = 0; i < 8; ++i) tom(pattern, 56 + i, falling[i], 30 + 3 * i);
        break;
    }
    case 5:  // clap pickups
        for (int row : {58, 60, 62, 63}) clap(pattern, row, 30 + (row - 58) * 5);
        break;
    case 25:  // toms and claps trading
        for (int row : {58, 62}) tom(pattern, row, row == 58 ? 64 : 57, 44);
        for (int row : {59, 63}) clap(pattern, row, 40);
        break;
    case 9:
        crescendo(pattern, 56, 63, 20, 50, false);
        clap(pattern, 62, 44);
        break;
    case 11:  // toms rising
        for (int i = 0; i < 4; ++i) tom(pattern, 60 + i, 55 + 4 * i, 36 + 4 * i);
        break;
    case 13:  // a roll under the riser, in the bar without kick, stopping short of the fade's hit
        crescendo(pattern, 48, 57, 16, 44, true);
        break;
    case 15:
        for (int i = 0; i < 4; ++i) tom(pattern, 60 + i, 67 - 4 * i, 44);
        snare(pattern, 62, 50);
        break;
    case 17:  // flams
        for (int row : {59, 61, 62, 63}) snare(pattern, row, row == 63 ? 56 : 36);
        break;
    case 19:
        put(pattern, 62, kickChannel, middleC, kickVoice, 50);
        clap(pattern, 63, 50);
        break;
    case 21:  // a short roll into the lift
        crescendo(pattern, 60, 63, 16, 40, true);
        break;
    case 23:
        crescendo(pattern, 60, 63, 14, 26, false);
        put(pattern, 62, openHatChannel, middleC, openHatVoice, 44);
        break;
    case 27:  // toms answered by the snare
        for (int i = 0; i < 8; ++i) {
            i % 2 == 0 ? tom(pattern, 56 + i, 67 - 2 * i, 40) : snare(pattern, 56 + i, 30 + 3 * i);
        }
        break;
    case 29:  // drop-out: the drums stop for the last bar's end, one tom picks up
        for (int row = 60; row < 64; ++row) {
            for (int channel : {kickChannel, snareChannel, snareWideChannel, clapChannel, clapWideChannel,
                                hatChannel, openHatChannel}) {
                pattern.cell(row, channel) = ItCell{};
            }
        }
        tom(pattern, 63, 55, 50);
        break;
    case 31:  // a lilt of claps into the breakdown
        for (int row : {56, 59, 62}) clap(pattern, row, 40);
        break;
    case 33:  // the breakdown builds: eighths, sixteenths, then rolls
        for (int row = 32; row < 48; row += 4) snare(pattern, row, 10 + (row - 32) / 2);
        crescendo(pattern, 48, 55, 14, 22, false);
        crescendo(pattern, 56, 63, 22, 40, true);
        break;
    case 35:
        for (int i = 0; i < 8; ++i) tom(pattern, 56 + i, 55 + 2 * i, 34 + 2 * i);
        break;
    case 36:  // toms climbing to the fade's hit, then a breath before it
        for (int i = 0; i < 4; ++i) tom(pattern, 52 + 2 * i, 55 + 3 * i, 40 + 4 * i);
        break;
    case 37:  // toms and snare together, down to the last hit
        for (int i = 0; i < 8; ++i) {
            tom(pattern, 56 + i, 69 - 2 * i, 32 + 2 * i);
            snare(pattern, 56 + i, 30 + 3 * i);
        }
        break;
    default:
        break;
    }
}
