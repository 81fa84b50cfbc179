// CuePart: accents add to the beat and never thin it - impacts, crashes and
// stabs play on channels of their own and ring on under the next note; where
// an accent falls on a kick, the impact (a kick's boom is in it) plays in the
// kick's place. Only the very end cuts: the band stops dead on its last hit.
#include "tools/soundtrack/CuePart.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/Kit.h"
#include "tools/soundtrack/Melody.h"

#include <algorithm>

using namespace arrangement;

namespace {

// Cut-off (Zxx 00-7F) and resonance (Z80-Z8F) through the format's default filter macros.
constexpr std::uint8_t filterOpen = 0x7F;
constexpr std::uint8_t resonanceOff = 0x80;
constexpr std::uint8_t resonanceHigh = 0x8A;
// The pads and the arpeggio carry the sweeps into the big entries.
const int sweptChannels[] = {padLeftChannel,      padLeftChannel + 1,  padLeftChannel + 2, padRightChannel,
                             padRightChannel + 1, padRightChannel + 2, arpChannel};

// How hard the stabs hit: the mix has to hold them under its ceiling.
constexpr int jolt = 44;

void drumPair(ItPattern& pattern, int row, int channel, int voice, int volume) {
    put(pattern, row, channel, middleC, voice, volume);
    put(pattern, row, channel + 1, middleC, voice + 1, volume);
}

// A power chord on a tone of the chord under `row` - its root, fifth or
// octave as `inversion` turns (0, 1, 2) - two octaves over the bass, and
// again an octave higher on the far side.
void stab(ItPattern& pattern, int order, int row, int inversion, int volume) {
    const Melody::Chord chord = Melody::chordsOf(order)[static_cast<std::size_t>(row / barRows)];
    static const int tones[3] = {0, 7, 12};
    const int note = chord.bass + 24 + tones[inversion % 3];
    put(pattern, row, stabChannel, note, stabVoice, volume);
    put(pattern, row, stabChannel + 1, note + 12, stabVoice, volume * 3 / 4);
}

// The impact, in the kick's place: the kick of that row, if any, gives way.
void hit(ItPattern& pattern, int row, int volume) {
    put(pattern, row, impactChannel, middleC, impactVoice, volume);
    if (pattern.cell(row, kickChannel).instrument == kickVoice) pattern.cell(row, kickChannel) = ItCell{};
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
    } crashes[] = {{beatEntry, 50}, {cues::cubeStar.first, 46}, {mainEntry, 64}, {liftEntry, 64},
                   {finaleOpening, 60}, {breakdownFirst, 46}, {finaleEntry, 64}};
    for (const auto& crash : crashes) {
        if (crash.order == order) put(pattern, 0, crashChannel, middleC, crashVoice, crash.volume);
    }
}

void CuePart::writeAccent(ItPattern& pattern, int order, int row, int index) {
    if (cues::pulsingSphereBeatOrders.contains(order)) {
        // The sphere's sixteen jolts: stabs in the harmony, each with a
        // different weight under it, the voicing turning from order to order.
        stab(pattern, order, row, (order + index) % 3, jolt);
        hit(pattern, row, 64);
        switch (index) {
        case 0:
            drumPair(pattern, row, clapChannel, clapVoice, 50);
            break;
        case 1:
            put(pattern, row, tomChannel, 67, tomVoice, 40);
            drumPair(pattern, row, clapChannel, clapVoice, 44);
            break;
        case 2:
            put(pattern, row, tomChannel, 60, tomVoice, 52);
            drumPair(pattern, row, snareChannel, snareVoice, 52);
            break;
        default:
            drumPair(pattern, row, clapChannel, clapVoice, 40 + 4 * (order - 6));
            break;
        }
        return;
    }
    // The fades: an impact on its own channel, with the groove's weight behind
    // it. A riser still going stops three rows short, so the hit lands in a breath.
    const int riserStart = patternRows - barRows;
    if (row > riserStart + 3 && pattern.cell(riserStart, riserChannel).note != ItCell::noNote) {
        pattern.cell(row - 3, riserChannel).note = ItCell::noteCut;
    }
    hit(pattern, row, 64);
    // The bass drops onto the root with it: weight that adds little peak
    // (less in the finale, whose beat is heavy already).
    const Melody::Chord chord = Melody::chordsOf(order)[static_cast<std::size_t>(row / barRows)];
    put(pattern, row, bassChannel, chord.bass, bassHeldVoice, order >= finaleEntry ? 44 : 64);
    ItCell& bassAfter = pattern.cell(std::min(row + 2, patternRows - 1), bassChannel);
    if (bassAfter.note == ItCell::noNote) bassAfter.note = ItCell::noteOff;
    drumPair(pattern, row, clapChannel, clapVoice, 48);
    stab(pattern, order, row, 1, jolt * 4 / 5);
    if (order == cues::cubeGridFade.order) put(pattern, row, crashChannel, middleC, crashVoice, 44);
}

void CuePart::breatheBefore(std::vector<ItPattern>& patterns, int order, int row) {
    constexpr int breathRows = 3;
    static const int breathing[] = {padLeftChannel,     padLeftChannel + 1,     padLeftChannel + 2, padRightChannel,
                                    padRightChannel + 1, padRightChannel + 2,   brightPadChannel,   brightPadChannel + 1,
                                    brightPadChannel + 2, arpChannel, arpEchoChannel, bellChannel, bellEchoChannel,
                                    hatChannel, openHatChannel};
    const int accent = order * patternRows + row;  // rows counted from the song's start
    for (int channel : breathing) {
        auto cell = [&](int at) -> ItCell& {
            return patterns[static_cast<std::size_t>(at / patternRows)].cell(at % patternRows, channel);
        };
        // The level in force before the breath: the last one set on the channel.
        int held = -1;
        for (int at = accent - breathRows - 1; at >= 0 && held < 0; --at) {
            if (cell(at).volume >= 0 && cell(at).volume <= 64) held = cell(at).volume;
        }
        for (int at = accent - breathRows; at < accent; ++at) {
            ItCell& breath = cell(at);
            if (breath.volume >= 0 && breath.volume <= 64) {
                held = breath.volume;
                breath.volume /= 2;
            } else if (held >= 0 && breath.note == ItCell::noNote) {
                breath.volume = held / 2;
            }
        }
        // And back where it was on the accent row itself.
        if (held >= 0 && cell(accent).volume == ItCell::noVolume && cell(accent).note == ItCell::noNote) {
            cell(accent).volume = held;
        }
    }
}

void CuePart::writeEnding(ItPattern& pattern) {
    const Melody::Chord home = Melody::chordsOf(endingOrder)[0];
    // The fill's toms stop where the hit lands.
    pattern.cell(0, tomChannel).note = ItCell::noteCut;
    effect(pattern, 0, tomChannel, 'S', 0x70);
    // The biggest hit of the piece, on a major chord: the impact twice in
    // unison (twice the weight, no rougher a peak than one), the bass and a
    // crash under it, the band's chord over it.
    put(pattern, 0, impactChannel, middleC, impactVoice, 48);
    put(pattern, 0, riserChannel, middleC, impactVoice, 48);
    put(pattern, 0, crashChannel, middleC, crashVoice, 48);
    stab(pattern, endingOrder, 0, 0, jolt / 2);
    put(pattern, 0, bassChannel, home.bass, bassHeldVoice, 56);
    put(pattern, 0, leadChannel, 81, leadVoice, 44);
    put(pattern, 0, leadChorusChannel, 93, leadChorusVoice, 30);
    pattern.cell(0, leadEchoChannel).note = ItCell::noteOff;
    put(pattern, 0, arpChannel, home.voicing[0] + 24, pluckVoice, 36);
    for (int voice = 0; voice < 3; ++voice) {
        const int note = home.voicing[static_cast<std::size_t>(voice)];
        put(pattern, 0, padLeftChannel + voice, note, padLeftVoice, 48);
        put(pattern, 0, padRightChannel + voice, note, padRightVoice, 48);
        put(pattern, 0, brightPadChannel + voice, note + 12, brightPadVoice, 22);
    }
    // Then the band stops dead, as one: the whole mix choked within two rows,
    // steeply at first and in ever smaller steps at the end (global volume
    // 128 down to 13 over row 1, then 6 down to 1 over row 2), so the last
    // step into silence is too small to click - and it is all over when the
    // pictures end at row 3. Two slides on one row add up.
    effect(pattern, 1, controlChannel, 'W', 0x0F);
    effect(pattern, 1, impactChannel, 'W', 0x08);
    effect(pattern, 2, controlChannel, 'V', 0x06);
    effect(pattern, 2, impactChannel, 'W', 0x01);
    effect(pattern, 3, controlChannel, 'V', 0x00);
    for (int channel = 0; channel < channelsUsed; ++channel) {
        if (pattern.cell(3, channel).note == ItCell::noNote) pattern.cell(3, channel).note = ItCell::noteCut;
    }
    effect(pattern, endingRows - 1, controlChannel, 'C', 0x00);
}
