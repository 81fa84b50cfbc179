// CuePart: accents add to the beat and never take from it - impacts, crashes
// and stabs play on channels of their own and ring on under the next note,
// so nothing cuts them and no row is silenced to make them stand out.
#include "tools/soundtrack/CuePart.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/Kit.h"
#include "tools/soundtrack/Melody.h"

using namespace arrangement;

namespace {

// Cut-off (Zxx 00-7F) and resonance (Z80-Z8F) through the format's default filter macros.
constexpr std::uint8_t filterOpen = 0x7F;
constexpr std::uint8_t resonanceOff = 0x80;
constexpr std::uint8_t resonanceHigh = 0x8A;
// The pads and the arpeggio carry the sweeps into the big entries.
const int sweptChannels[] = {padLeftChannel,      padLeftChannel + 1,  padLeftChannel + 2, padRightChannel,
                             padRightChannel + 1, padRightChannel + 2, arpChannel};

void drumPair(ItPattern& pattern, int row, int channel, int voice, int volume) {
    put(pattern, row, channel, middleC, voice, volume);
    put(pattern, row, channel + 1, middleC, voice + 1, volume);
}

// The chord under `row`, an octave up, as three stab voices over its root;
// `inversion` lifts its lowest tones an octave.
void stab(ItPattern& pattern, int order, int row, int inversion, int volume) {
    const Melody::Chord chord = Melody::chordsOf(order)[static_cast<std::size_t>(row / barRows)];
    for (int voice = 0; voice < 3; ++voice) {
        const int note = Melody::arpTone(chord, voice + inversion) + 12;
        put(pattern, row, stabChannel + voice, note, stabVoice, volume - 3 * voice);
    }
    put(pattern, row, stabChannel + 3, chord.bass + 24, stabVoice, volume);
}

// A bar-long resonant sweep up through the pads and the arpeggio, and the
// noise riser, ending on the next order's downbeat where the filter opens.
void sweepInto(ItPattern& pattern) {
    const int start = patternRows - barRows;
    put(pattern, start, riserChannel, middleC, riserVoice, 64);
    for (int channel : sweptChannels) {
        effect(pattern, start, channel, 'Z', resonanceHigh);
        for (int row = start + 1; row < patternRows - 1; ++row) {
            effect(pattern, row, channel, 'Z', static_cast<std::uint8_t>(0x24 + (0x7E - 0x24) * (row - start - 1) / (barRows - 3)));
        }
        effect(pattern, patternRows - 1, channel, 'Z', resonanceOff);
    }
}

}  // namespace

void CuePart::write(ItPattern& pattern, int order) {
    if (order + 1 < static_cast<int>(Melody::orderCount) && isBigEntry(order + 1)) sweepInto(pattern);
    if (isBigEntry(order)) {
        for (int channel : sweptChannels) effect(pattern, 0, channel, 'Z', filterOpen);
    }
    // Crashes open the parts, each as loud as the part is big.
    const struct {
        int order, volume;
    } crashes[] = {{beatEntry, 36}, {cues::cubeStar.first, 30}, {mainEntry, 56}, {liftEntry, 60},
                   {finaleOpening, 52}, {breakdownFirst, 30}, {finaleEntry, 62}};
    for (const auto& crash : crashes) {
        if (crash.order == order) put(pattern, 0, crashChannel, middleC, crashVoice, crash.volume);
    }
}

void CuePart::writeAccent(ItPattern& pattern, int order, int row, int index) {
    if (cues::pulsingSphereBeatOrders.contains(order)) {
        // The sphere's sixteen jolts: stabs in the harmony, each with a
        // different weight under it, the voicing turning from order to order.
        stab(pattern, order, row, (order + index) % 3, 64);
        switch (index) {
        case 0:
            put(pattern, row, kickChannel, middleC, kickVoice, 64);
            drumPair(pattern, row, clapChannel, clapVoice, 60);
            break;
        case 1:
            put(pattern, row, kickChannel, middleC, kickVoice, 64);
            put(pattern, row, tomChannel, 67, tomVoice, 54);
            break;
        case 2:
            put(pattern, row, tomChannel, 60, tomVoice, 60);
            drumPair(pattern, row, snareChannel, snareVoice, 64);
            drumPair(pattern, row, clapChannel, clapVoice, 56);
            break;
        default:
            put(pattern, row, kickChannel, middleC, kickVoice, 64);
            put(pattern, row, impactChannel, middleC, impactVoice, 36 + 6 * (order - 6));
            break;
        }
        return;
    }
    // The fades: an impact on its own channel, with the groove's weight behind it.
    put(pattern, row, impactChannel, middleC, impactVoice, 64);
    put(pattern, row, kickChannel, middleC, kickVoice, 64);
    drumPair(pattern, row, snareChannel, snareVoice, 64);
    drumPair(pattern, row, clapChannel, clapVoice, 60);
    stab(pattern, order, row, 1, 64);
    if (order == cues::cubeGridFade.order) put(pattern, row, crashChannel, middleC, crashVoice, 60);
}

void CuePart::writeEnding(ItPattern& pattern) {
    const Melody::Chord home = Melody::chordsOf(endingOrder)[0];
    // The biggest hit of the piece: everything at once, on a major chord.
    put(pattern, 0, impactChannel, middleC, impactVoice, 64);
    put(pattern, 0, crashChannel, middleC, crashVoice, 64);
    put(pattern, 0, kickChannel, middleC, kickVoice, 64);
    drumPair(pattern, 0, snareChannel, snareVoice, 64);
    drumPair(pattern, 0, clapChannel, clapVoice, 64);
    put(pattern, 0, tomChannel, 55, tomVoice, 64);
    stab(pattern, endingOrder, 0, 0, 64);
    put(pattern, 0, bassChannel, home.bass, bassVoice, 60);
    put(pattern, 0, leadChannel, 69, leadVoice, 44);
    put(pattern, 0, leadChorusChannel, 81, leadChorusVoice, 24);
    pattern.cell(0, leadEchoChannel).note = ItCell::noteOff;
    put(pattern, 0, arpChannel, home.voicing[0] + 24, pluckVoice, 36);
    put(pattern, 3, arpEchoChannel, home.voicing[0] + 24, pluckVoice, 14);
    for (int voice = 0; voice < 3; ++voice) {
        const int note = home.voicing[static_cast<std::size_t>(voice)];
        put(pattern, 0, padLeftChannel + voice, note, padLeftVoice, 40);
        put(pattern, 0, padRightChannel + voice, note, padRightVoice, 40);
        put(pattern, 0, brightPadChannel + voice, note + 12, brightPadVoice, 22);
    }
    // The chord rings on and fades until the module ends in silence.
    constexpr int silentFrom = 54;
    const int held[] = {padLeftChannel, padLeftChannel + 1, padLeftChannel + 2, padRightChannel, padRightChannel + 1,
                        padRightChannel + 2, brightPadChannel, brightPadChannel + 1, brightPadChannel + 2,
                        bassChannel, leadChannel, leadChorusChannel};
    for (int channel : held) {
        const int start = pattern.cell(0, channel).volume;
        for (int row = 1; row < silentFrom; ++row) {
            const int left = silentFrom - row;
            setVolume(pattern, row, channel, start * left / silentFrom);
        }
        pattern.cell(silentFrom, channel).note = ItCell::noteCut;
    }
}
