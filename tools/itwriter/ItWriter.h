// ItWriter: builds Impulse Tracker (.it) modules in memory and writes them as
// real IT files. The test fixtures make their modules with it, and so does the
// soundtrack generator; output bytes depend only on the model, never on time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One cell of a pattern: what one channel does on one row.
struct ItCell {
    static constexpr int noNote = -1;
    static constexpr int noteOff = 255;   // "==="
    static constexpr int noteCut = 254;   // "^^^"
    static constexpr int noteFade = 246;  // "~~~"
    static constexpr int noVolume = -1;

    int note = noNote;      // 0..119 (C-5 = 60), noteOff, noteCut, noteFade or noNote
    int instrument = 0;     // 1-based instrument (or sample in sample mode); 0 = none
    int volume = noVolume;  // raw volume-column byte 0..212 (0..64 = set volume); noVolume = empty
    char command = 0;       // effect letter 'A'..'Z'; 0 = none
    std::uint8_t parameter = 0;

    bool empty() const;
};

// A pattern of 1..200 rows by 64 channels.
class ItPattern {
public:
    static constexpr int channelCount = 64;

    explicit ItPattern(int rows = 64);

    int rows() const { return rowCount; }
    ItCell& cell(int row, int channel);
    const ItCell& cell(int row, int channel) const;

private:
    int rowCount;
    std::vector<ItCell> cells;
};

// A 16-bit signed mono sample.
struct ItSample {
    std::string name;      // at most 25 characters are kept
    std::string fileName;  // DOS file name, at most 12 characters are kept
    std::vector<std::int16_t> data;
    std::uint32_t c5Speed = 8363;  // playback rate of C-5, Hz
    int defaultVolume = 64;        // 0..64
    int globalVolume = 64;         // 0..64
    int defaultPan = -1;           // 0..64, or -1 = channel pan applies
    bool loop = false;
    bool pingPongLoop = false;
    std::uint32_t loopStart = 0;  // in sample frames; loopEnd is exclusive
    std::uint32_t loopEnd = 0;
    bool sustainLoop = false;
    bool pingPongSustain = false;
    std::uint32_t sustainStart = 0;
    std::uint32_t sustainEnd = 0;
};

struct ItEnvelopeNode {
    int tick = 0;   // 0..65535, increasing
    int value = 0;  // volume 0..64; panning and pitch -32..32
};

struct ItEnvelope {
    bool enabled = false;
    // Pitch envelope only: it moves the resonant filter's cut-off instead of
    // the pitch (values -32..32 scale the cut-off down from where it stands).
    bool filter = false;
    bool loop = false;
    bool sustain = false;
    int loopStart = 0;  // node indices
    int loopEnd = 0;
    int sustainStart = 0;
    int sustainEnd = 0;
    std::vector<ItEnvelopeNode> nodes;  // at most 25
};

// An instrument; a module without instruments plays its samples directly.
struct ItInstrument {
    // What becomes of a note still sounding when the next note starts on its channel.
    enum class NewNoteAction : std::uint8_t { Cut = 0, Continue = 1, NoteOff = 2, NoteFade = 3 };
    // Which older notes of this instrument a new note ends, and how.
    enum class DuplicateCheck : std::uint8_t { Off = 0, Note = 1, Sample = 2, Instrument = 3 };
    enum class DuplicateAction : std::uint8_t { Cut = 0, NoteOff = 1, NoteFade = 2 };

    ItInstrument();
    // Plays `sample` (1-based) at the written pitch for every note.
    void useSampleForAllNotes(int sample);

    std::string name;
    std::string fileName;
    NewNoteAction newNoteAction = NewNoteAction::Cut;
    DuplicateCheck duplicateCheck = DuplicateCheck::Off;
    DuplicateAction duplicateAction = DuplicateAction::Cut;
    int fadeOut = 0;         // 0..256: volume lost per tick (of 1024) once faded
    int globalVolume = 128;  // 0..128
    int defaultPan = -1;     // 0..64, or -1 = not used
    // The resonant low-pass every note starts with: 0..127 (127 with no
    // resonance = open), or -1 = left as the channel has it.
    int filterCutoff = -1;
    int filterResonance = -1;
    std::array<std::uint8_t, 120> keyboardNote{};    // note played for each written note
    std::array<std::uint8_t, 120> keyboardSample{};  // 1-based sample for each note, 0 = none
    ItEnvelope volumeEnvelope;
    ItEnvelope panningEnvelope;
    ItEnvelope pitchEnvelope;
};

struct ItModule {
    static constexpr int channelCount = ItPattern::channelCount;
    static constexpr int skipOrder = 254;  // "+++" in the order list

    ItModule();

    std::string songName;  // at most 25 characters are kept
    int initialSpeed = 6;    // ticks per row, 1..255
    int initialTempo = 125;  // BPM, 32..255
    int globalVolume = 128;  // 0..128
    int mixVolume = 48;      // 0..128
    int panSeparation = 128;  // 0..128
    bool linearSlides = true;
    std::array<int, channelCount> channelPan{};     // 0..64, 100 = surround; +128 = channel off
    std::array<int, channelCount> channelVolume{};  // 0..64
    std::vector<int> orders;  // pattern numbers or skipOrder; the end marker is added on writing
    std::vector<ItSample> samples;
    std::vector<ItInstrument> instruments;  // empty: sample mode
    std::vector<ItPattern> patterns;
};

class ItWriter {
public:
    // The complete file. Throws std::invalid_argument for a value the format
    // cannot hold (a pattern number past the pattern list, a volume past 64 ...).
    static std::vector<std::uint8_t> write(const ItModule& module);
    // Writes the file; throws std::runtime_error when it cannot be written.
    static void save(const ItModule& module, const std::string& path);
};
