// Kit: the soundtrack's instruments - each synthesised sample with the
// envelope, new-note action and filter that decide how its notes start,
// overlap and end. Instrument n plays sample n.
#pragma once

#include "tools/itwriter/ItWriter.h"

// 1-based instrument numbers, as pattern cells name them. Up to the stab,
// instrument n plays sample n; the held bass plays the bass's sample.
enum Voice {
    kickVoice = 1, snareVoice, snareWideVoice, clapVoice, clapWideVoice, closedHatVoice, openHatVoice,
    tomVoice, crashVoice, impactVoice, riserVoice, bassVoice, padLeftVoice, padRightVoice, brightPadVoice,
    pluckVoice, bellVoice, leadVoice, leadChorusVoice, stabVoice, sampleCount = stabVoice,
    bassHeldVoice, voiceCount = bassHeldVoice
};

class Kit {
public:
    // Fills the module's samples and instruments (instrument mode).
    static void addTo(ItModule& module);
};
