// MixFigures: the figures a listener's complaints about the mix turn into -
// how loud the demo is and how high its peaks go, who is heard over whom, the
// lift into the finale, the cues, the crashes, the lead's lines and the end -
// each taken from renders of the module and of its instruments alone.
#pragma once

#include "tools/soundtrack/ModuleRender.h"
#include "tools/soundtrack/SoundMeasure.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct MixFigures {
    // The demo as heard: order 0 row 0 to where the pictures end.
    double integratedLufs;
    double truePeakDb;  // of the whole render
    // Orders 22-29, over the cube star: the lead against the mix and its neighbours.
    double overlayMix, overlayLead, overlayPads, overlaySnareClap;
    double leadTenthHarmonicDb;  // an A (440 Hz) held on the lead alone
    // Orders 14-37: the drums and the bass.
    double kick, snareClap, hats;
    double snareTailMs;      // the snare alone, from its loudest 5 ms to 20 dB under them
    double snareClapRolloffHz;  // 90 % of the snare and clap energy lies below this
    double bassOnKickRowsDb;
    // Sections.
    double finale, main, tunnelOpening, sphereBeats;
    std::string brightestSection, densestSection;
    std::vector<measure::CueRise> cues;
    struct Crash {
        int order;
        double crashLufs, mixLufs;  // momentary, the 400 ms from the downbeat
    };
    std::vector<Crash> crashes;
    std::vector<std::pair<int, int>> ordersSharingALeadLine;
    // The last 50 ms before the pictures end.
    double endRmsDb, endPeakDb;

    static MixFigures of(const std::vector<std::uint8_t>& bytes);
};

// The sections the soundtrack is measured by, in playing order.
struct MixSection {
    const char* name;
    int first;
    int last;
};
const std::vector<MixSection>& mixSections();
