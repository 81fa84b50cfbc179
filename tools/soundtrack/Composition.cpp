// Composition: the arrangement, laid on the pictures' cue table. Intro (orders
// 0-3) grows from a fading-in pad; a four-on-the-floor beat (4-9) carries the
// sphere's jolts as stabs; a half-time stretch (10-13); the long main part
// (14-29) adds a lead, bells and a lift at 22; the finale (30-37) breaks down,
// builds and ends on one ringing chord (38). Every picture event on a single
// row gets an accent, and each big entry comes out of a riser and a sweep.
#include "tools/soundtrack/Composition.h"

#include "tools/soundtrack/Arrangement.h"
#include "tools/soundtrack/CuePart.h"
#include "tools/soundtrack/DrumPart.h"
#include "tools/soundtrack/HarmonyPart.h"
#include "tools/soundtrack/Kit.h"
#include "tools/soundtrack/LeadPart.h"

using namespace arrangement;

static_assert(Composition::patternRows == arrangement::patternRows);

ItModule Composition::build() const {
    ItModule module;
    module.songName = "Tolvane";
    module.initialSpeed = speed;
    module.initialTempo = tempo;
    module.globalVolume = 128;
    module.mixVolume = 47;
    Kit::addTo(module);
    // Hard left and right pads, the rooms of the drum pairs and the echoes
    // panned apart, the weight (kick, bass, lead, impacts) and the hits of
    // snare and clap near the middle, where a peak is shared by both sides.
    const int pans[channelsUsed] = {
        32, 26, 60, 38, 4, 52, 12, 22, 32,   // kick, snare pair, clap pair, hats, tom, bass
        0, 0, 0, 64, 64, 64, 4, 32, 60,      // pads left and right, bright pad
        6, 60, 28, 48, 62, 4, 60,            // arpeggio and echo, lead, chorus, echo, bells
        32, 46, 32, 20, 48, 32};             // impact, crash, riser, stabs, control
    for (int channel = 0; channel < ItModule::channelCount; ++channel) {
        module.channelPan[static_cast<std::size_t>(channel)] =
            channel < channelsUsed ? pans[channel] : 32 + 128;  // unused channels off
    }
    for (int order = 0; order < orderCount; ++order) {
        ItPattern pattern(patternRows);
        if (order == endingOrder) {
            CuePart::writeEnding(pattern);
        } else {
            HarmonyPart::write(pattern, order);
            DrumPart::write(pattern, order);
            LeadPart::write(pattern, order);
            CuePart::write(pattern, order);
        }
        module.patterns.push_back(pattern);
        module.orders.push_back(order);
    }
    int previousOrder = -1, index = 0;
    for (cues::Position event : cues::rowEvents()) {
        const int order = static_cast<int>(event.order);
        index = order == previousOrder ? index + 1 : 0;
        previousOrder = order;
        CuePart::writeAccent(module.patterns[static_cast<std::size_t>(order)], order, static_cast<int>(event.row), index);
        CuePart::breatheBefore(module.patterns, order, static_cast<int>(event.row));
    }
    return module;
}
