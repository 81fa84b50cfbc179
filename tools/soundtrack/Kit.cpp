// Kit: the level of each instrument sits in its global volume, so the pattern
// volumes are the players' touch; held sounds release instead of stopping,
// and struck sounds ring on under the next note (new-note action Continue).
// The bass plays short notes that end by themselves before the next kick.
#include "tools/soundtrack/Kit.h"

#include "tools/soundtrack/DrumSynth.h"
#include "tools/soundtrack/Synth.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace {

using Action = ItInstrument::NewNoteAction;

// Envelope ticks: 6 to a row, a row lasting 2.5 * 6 / 130 s.
// A sustain node of -1: the envelope runs through whatever the notes do.
ItEnvelope volumeShape(std::vector<ItEnvelopeNode> nodes, int sustainNode) {
    ItEnvelope envelope;
    envelope.enabled = true;
    envelope.sustain = sustainNode >= 0;
    envelope.sustainStart = envelope.sustainEnd = std::max(sustainNode, 0);
    envelope.nodes = std::move(nodes);
    return envelope;
}

struct Setting {
    Voice voice;
    int globalVolume;  // 0..128
    Action action;
};

int sampleOf(Voice voice) { return voice == bassHeldVoice ? bassVoice : voice; }

ItInstrument instrumentFor(const Setting& setting, const ItSample& sample) {
    ItInstrument instrument;
    instrument.name = setting.voice == bassHeldVoice ? "bass held" : sample.name;
    instrument.fileName = sample.fileName;
    instrument.useSampleForAllNotes(sampleOf(setting.voice));
    instrument.globalVolume = setting.globalVolume;
    instrument.newNoteAction = setting.action;
    switch (setting.voice) {
    case bassVoice:
        // A sixteenth long and gone: between the kicks, never on them.
        instrument.volumeEnvelope = volumeShape({{0, 64}, {4, 56}, {6, 0}}, -1);
        break;
    case bassHeldVoice:
        // Held to its note-off, then a short release.
        instrument.volumeEnvelope = volumeShape({{0, 64}, {2, 64}, {8, 0}}, 1);
        break;
    case padLeftVoice:
    case padRightVoice:
    case brightPadVoice:
        // Swells in, and releases under the next chord tone instead of stopping.
        instrument.volumeEnvelope = volumeShape({{0, 0}, {16, 64}, {60, 0}}, 1);
        break;
    case leadVoice:
    case leadChorusVoice:
        instrument.volumeEnvelope = volumeShape({{0, 20}, {1, 64}, {10, 50}, {30, 0}}, 2);
        break;
    case stabVoice:
        // Opens bright and closes quickly: the snap of a brass section.
        instrument.filterCutoff = 127;
        instrument.filterResonance = 48;
        instrument.pitchEnvelope.enabled = true;
        instrument.pitchEnvelope.filter = true;
        instrument.pitchEnvelope.nodes = {{0, 32}, {12, 8}, {40, 0}};
        break;
    case riserVoice:
        // A bar of noise through a resonant filter sweeping upwards, growing louder.
        instrument.filterCutoff = 127;
        instrument.filterResonance = 96;
        instrument.pitchEnvelope.enabled = true;
        instrument.pitchEnvelope.filter = true;
        instrument.pitchEnvelope.nodes = {{0, -30}, {96, 32}};
        instrument.volumeEnvelope = volumeShape({{0, 4}, {60, 24}, {94, 64}, {97, 0}}, -1);
        break;
    default:
        break;
    }
    if (setting.action != Action::Cut) instrument.fadeOut = 16;  // a voice left behind fades within ~1 s
    return instrument;
}

}  // namespace

void Kit::addTo(ItModule& module) {
    module.samples = {DrumSynth::kick(),      DrumSynth::snare(0),   DrumSynth::snare(1), DrumSynth::clap(0),
                      DrumSynth::clap(1),     DrumSynth::closedHat(), DrumSynth::openHat(), DrumSynth::tom(),
                      DrumSynth::crash(),     DrumSynth::impact(),   DrumSynth::riser(),   Synth::bass(),
                      Synth::pad(0),          Synth::pad(1),         Synth::brightPad(),   Synth::pluck(),
                      Synth::bell(),          Synth::lead(0.0),      Synth::lead(7.0),     Synth::stab()};
    const Setting settings[] = {
        {kickVoice, 128, Action::Cut},          {snareVoice, 116, Action::Continue},
        {snareWideVoice, 58, Action::Continue}, {clapVoice, 116, Action::Continue},
        {clapWideVoice, 58, Action::Continue},  {closedHatVoice, 110, Action::Cut},
        {openHatVoice, 96, Action::Cut},        {tomVoice, 90, Action::Continue},
        {crashVoice, 128, Action::Continue},    {impactVoice, 128, Action::Continue},
        {riserVoice, 72, Action::Cut},          {bassVoice, 128, Action::Cut},
        {padLeftVoice, 100, Action::NoteOff},   {padRightVoice, 100, Action::NoteOff},
        {brightPadVoice, 100, Action::NoteOff}, {pluckVoice, 104, Action::Continue},
        {bellVoice, 88, Action::Continue},      {leadVoice, 116, Action::NoteOff},
        {leadChorusVoice, 86, Action::NoteOff}, {stabVoice, 110, Action::Continue},
        {bassHeldVoice, 128, Action::Cut},
    };
    if (module.samples.size() != sampleCount || std::size(settings) != voiceCount) {
        throw std::logic_error("Kit: one sample and one setting per voice");
    }
    module.instruments.clear();
    for (const Setting& setting : settings) {
        module.instruments.push_back(
            instrumentFor(setting, module.samples[static_cast<std::size_t>(sampleOf(setting.voice) - 1)]));
    }
}
