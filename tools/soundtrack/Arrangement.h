// Arrangement: what every part of the soundtrack's pattern writing shares -
// the channel layout, the sections laid on the pictures' cue table, and the
// small steps of writing a cell (with a player's uneven touch).
#pragma once

#include "demo/Cues.h"
#include "tools/itwriter/ItWriter.h"

#include <cstdint>

namespace arrangement {

enum Channel {
    kickChannel = 0, snareChannel, snareWideChannel, clapChannel, clapWideChannel, hatChannel,
    openHatChannel, tomChannel, bassChannel,
    padLeftChannel,           // three voices
    padRightChannel = 12,     // three voices
    brightPadChannel = 15,    // three voices
    arpChannel = 18, arpEchoChannel, leadChannel, leadChorusChannel, leadEchoChannel, bellChannel,
    bellEchoChannel, impactChannel, crashChannel, riserChannel,
    stabChannel,              // two voices
    controlChannel = stabChannel + 2,           // no notes: the effects that act on the whole song
    channelsUsed
};

constexpr int patternRows = 64;
constexpr int barRows = 16;
constexpr int middleC = 60;

// Where the layers enter: on the pictures' cues (the table counts orders
// unsigned, as the player reports them).
constexpr int arpeggioEntry = cues::introSpin;
constexpr int beatEntry = cues::pulsingSphere.first;
constexpr int snareEntry = cues::pulsingSphereBeatOrders.first;
constexpr int mainEntry = cues::torus.first;
constexpr int leadEntry = cues::torusWobble;
constexpr int bellEntry = cues::torusSpin;  // with the claps
constexpr int liftEntry = cues::cubeStarOverlay.first;
constexpr int finaleOpening = cues::cubeGrid.first;
constexpr int breakdownFirst = finaleOpening + 2;
constexpr int finaleEntry = breakdownFirst + 2;
constexpr int endingOrder = cues::demoEnd.order;
// The last order stops early: the music is over soon after the pictures.
constexpr int endingRows = 16;

inline bool isIntro(int order) { return cues::intro.contains(order); }
inline bool isBeat(int order) { return cues::pulsingSphere.contains(order); }
inline bool isHalfTime(int order) { return cues::cubeStar.contains(order); }
inline bool isMain(int order) { return cues::torus.contains(order); }
inline bool isBreakdown(int order) { return order == breakdownFirst || order == breakdownFirst + 1; }
inline bool isFinale(int order) { return cues::cubeGrid.contains(order) && order < endingOrder; }
inline bool liftOn(int order) { return order >= liftEntry && order < endingOrder && !isBreakdown(order); }
// The orders the big entries land on: each comes out of a riser and a filter sweep.
inline bool isBigEntry(int order) {
    return order == beatEntry || order == mainEntry || order == liftEntry || order == finaleEntry;
}
// The order before the lift holds back, so the lift lands higher.
inline bool isPreLift(int order) { return order + 1 == liftEntry; }
// The bar before a big entry goes without the kick, so the entry lands.
inline bool kickDropped(int order, int bar) {
    return bar == 3 && (order + 1 == mainEntry || order + 1 == liftEntry);
}

void put(ItPattern& pattern, int row, int channel, int note, int instrument, int volume);
void setVolume(ItPattern& pattern, int row, int channel, int volume);
void effect(ItPattern& pattern, int row, int channel, char command, std::uint8_t parameter);
// `volume` moved by up to +-`spread`, the same way on every run for the same
// place: a player's touch, never the same twice in a row.
int touch(int volume, int order, int row, int channel, int spread);

}  // namespace arrangement
