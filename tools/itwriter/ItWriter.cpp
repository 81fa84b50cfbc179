// ItWriter: lays out an ItModule as an Impulse Tracker 2.14 file: header,
// order list, offset tables, instrument and sample headers, packed patterns,
// then the raw sample data, in that order and with no gaps.
#include "tools/itwriter/ItWriter.h"

#include <fstream>
#include <stdexcept>

namespace {

constexpr std::size_t headerSize = 0xC0;
constexpr std::size_t instrumentHeaderSize = 554;
constexpr std::size_t sampleHeaderSize = 0x50;
constexpr std::uint16_t trackerVersion = 0x0214;
constexpr int endOfSong = 255;

void require(bool condition, const std::string& what) {
    if (!condition) throw std::invalid_argument("ItWriter: " + what);
}

int checked(int value, int low, int high, const std::string& what) {
    require(value >= low && value <= high, what + " out of range: " + std::to_string(value));
    return value;
}

class ByteBuffer {
public:
    void u8(int value) { bytes.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
    void u16(unsigned value) {
        u8(static_cast<int>(value & 0xFF));
        u8(static_cast<int>((value >> 8) & 0xFF));
    }
    void u32(std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    // A fixed-size text field, zero padded; the last byte always stays zero.
    void text(const std::string& value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) u8(i + 1 < size && i < value.size() ? value[i] : 0);
    }
    void magic(const char (&tag)[5]) {
        for (int i = 0; i < 4; ++i) u8(tag[i]);
    }
    void zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
    void put32At(std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    std::size_t size() const { return bytes.size(); }

    std::vector<std::uint8_t> bytes;
};

void writeEnvelope(ByteBuffer& out, const ItEnvelope& envelope, int low, int high) {
    const int count = static_cast<int>(envelope.nodes.size());
    require(count <= 25, "envelope has more than 25 nodes");
    const int last = count > 0 ? count - 1 : 0;
    out.u8((envelope.enabled ? 1 : 0) | (envelope.loop ? 2 : 0) | (envelope.sustain ? 4 : 0) |
           (envelope.filter ? 0x80 : 0));
    out.u8(count);
    out.u8(checked(envelope.loopStart, 0, last, "envelope loop start"));
    out.u8(checked(envelope.loopEnd, envelope.loopStart, last, "envelope loop end"));
    out.u8(checked(envelope.sustainStart, 0, last, "envelope sustain start"));
    out.u8(checked(envelope.sustainEnd, envelope.sustainStart, last, "envelope sustain end"));
    int previousTick = -1;
    for (const ItEnvelopeNode& node : envelope.nodes) {
        require(node.tick > previousTick, "envelope ticks must increase");
        previousTick = node.tick;
        out.u8(checked(node.value, low, high, "envelope value"));
        out.u16(static_cast<unsigned>(checked(node.tick, 0, 0xFFFF, "envelope tick")));
    }
    out.zeros(static_cast<std::size_t>(25 - count) * 3 + 1);
}

void writeInstrument(ByteBuffer& out, const ItInstrument& instrument, std::size_t sampleCount) {
    const std::size_t start = out.size();
    out.magic("IMPI");
    out.text(instrument.fileName, 13);  // 12 characters and the zero at 0x10
    require(!instrument.volumeEnvelope.filter && !instrument.panningEnvelope.filter,
            "only the pitch envelope can steer the filter");
    out.u8(static_cast<int>(instrument.newNoteAction));
    out.u8(static_cast<int>(instrument.duplicateCheck));
    out.u8(static_cast<int>(instrument.duplicateAction));
    out.u16(static_cast<unsigned>(checked(instrument.fadeOut, 0, 256, "instrument fade-out")));
    out.u8(0);   // pitch-pan separation
    out.u8(60);  // pitch-pan centre: C-5
    out.u8(checked(instrument.globalVolume, 0, 128, "instrument global volume"));
    out.u8(instrument.defaultPan < 0 ? 32 | 128
                                     : checked(instrument.defaultPan, 0, 64, "instrument pan"));
    out.u8(0);  // random volume variation
    out.u8(0);  // random pan variation
    out.u16(trackerVersion);
    int usedSamples = 0;
    for (std::uint8_t sample : instrument.keyboardSample) {
        require(sample <= sampleCount, "instrument keyboard names a missing sample");
        usedSamples += sample != 0 ? 1 : 0;
    }
    out.u8(usedSamples > 255 ? 255 : usedSamples);
    out.u8(0);
    out.text(instrument.name, 26);
    // Bit 7 switches each initial filter value on.
    out.u8(instrument.filterCutoff < 0 ? 0 : 128 | checked(instrument.filterCutoff, 0, 127, "filter cut-off"));
    out.u8(instrument.filterResonance < 0 ? 0
                                          : 128 | checked(instrument.filterResonance, 0, 127, "filter resonance"));
    out.u8(0);    // MIDI channel
    out.u8(255);  // MIDI program: none
    out.u16(0xFFFF);  // MIDI bank: none
    for (std::size_t note = 0; note < 120; ++note) {
        out.u8(checked(instrument.keyboardNote[note], 0, 119, "keyboard note"));
        out.u8(instrument.keyboardSample[note]);
    }
    writeEnvelope(out, instrument.volumeEnvelope, 0, 64);
    writeEnvelope(out, instrument.panningEnvelope, -32, 32);
    writeEnvelope(out, instrument.pitchEnvelope, -32, 32);
    out.zeros(instrumentHeaderSize - (out.size() - start));
}

// Returns the position of the sample-data pointer, filled in once known.
std::size_t writeSampleHeader(ByteBuffer& out, const ItSample& sample) {
    const std::uint32_t length = static_cast<std::uint32_t>(sample.data.size());
    if (sample.loop) {
        require(sample.loopStart < sample.loopEnd && sample.loopEnd <= length, "sample loop");
    }
    if (sample.sustainLoop) {
        require(sample.sustainStart < sample.sustainEnd && sample.sustainEnd <= length,
                "sample sustain loop");
    }
    out.magic("IMPS");
    out.text(sample.fileName, 13);
    out.u8(checked(sample.globalVolume, 0, 64, "sample global volume"));
    int flags = 0x02;  // 16 bit
    if (length > 0) flags |= 0x01;
    if (sample.loop) flags |= 0x10 | (sample.pingPongLoop ? 0x40 : 0);
    if (sample.sustainLoop) flags |= 0x20 | (sample.pingPongSustain ? 0x80 : 0);
    out.u8(flags);
    out.u8(checked(sample.defaultVolume, 0, 64, "sample volume"));
    out.text(sample.name, 26);
    out.u8(0x01);  // signed samples
    out.u8(sample.defaultPan < 0 ? 32 : checked(sample.defaultPan, 0, 64, "sample pan") | 128);
    out.u32(length);
    out.u32(sample.loop ? sample.loopStart : 0);
    out.u32(sample.loop ? sample.loopEnd : 0);
    require(sample.c5Speed > 0 && sample.c5Speed <= 9999999, "sample C-5 speed");
    out.u32(sample.c5Speed);
    out.u32(sample.sustainLoop ? sample.sustainStart : 0);
    out.u32(sample.sustainLoop ? sample.sustainEnd : 0);
    const std::size_t pointerAt = out.size();
    out.u32(0);
    out.zeros(4);  // vibrato speed, depth, rate, waveform
    return pointerAt;
}

void checkCell(const ItCell& cell, std::size_t instrumentLimit) {
    if (cell.note != ItCell::noNote) {
        require((cell.note >= 0 && cell.note <= 119) || cell.note >= ItCell::noteFade,
                "note out of range: " + std::to_string(cell.note));
        require(cell.note <= 255, "note out of range");
    }
    require(cell.instrument >= 0 && static_cast<std::size_t>(cell.instrument) <= instrumentLimit,
            "cell names a missing instrument or sample: " + std::to_string(cell.instrument));
    if (cell.volume != ItCell::noVolume) checked(cell.volume, 0, 212, "volume column");
    require(cell.command == 0 || (cell.command >= 'A' && cell.command <= 'Z'),
            "effect command must be a letter A..Z");
}

// Packed pattern data: per row, each non-empty channel as channel marker,
// mask and the fields the mask names; a zero byte ends the row.
void writePattern(ByteBuffer& out, const ItPattern& pattern, std::size_t instrumentLimit) {
    ByteBuffer packed;
    for (int row = 0; row < pattern.rows(); ++row) {
        for (int channel = 0; channel < ItPattern::channelCount; ++channel) {
            const ItCell& cell = pattern.cell(row, channel);
            if (cell.empty()) continue;
            checkCell(cell, instrumentLimit);
            int mask = 0;
            if (cell.note != ItCell::noNote) mask |= 1;
            if (cell.instrument != 0) mask |= 2;
            if (cell.volume != ItCell::noVolume) mask |= 4;
            if (cell.command != 0) mask |= 8;
            packed.u8((channel + 1) | 0x80);
            packed.u8(mask);
            if (mask & 1) packed.u8(cell.note);
            if (mask & 2) packed.u8(cell.instrument);
            if (mask & 4) packed.u8(cell.volume);
            if (mask & 8) {
                packed.u8(cell.command - 'A' + 1);
                packed.u8(cell.parameter);
            }
        }
        packed.u8(0);
    }
    require(packed.size() <= 0xFFFF, "pattern data too large");
    out.u16(static_cast<unsigned>(packed.size()));
    out.u16(static_cast<unsigned>(pattern.rows()));
    out.zeros(4);
    out.bytes.insert(out.bytes.end(), packed.bytes.begin(), packed.bytes.end());
}

void writeHeader(ByteBuffer& out, const ItModule& module) {
    const bool instrumentMode = !module.instruments.empty();
    out.magic("IMPM");
    out.text(module.songName, 26);
    out.u8(4);   // row highlight: beat
    out.u8(16);  // row highlight: measure
    out.u16(static_cast<unsigned>(module.orders.size() + 1));
    out.u16(static_cast<unsigned>(module.instruments.size()));
    out.u16(static_cast<unsigned>(module.samples.size()));
    out.u16(static_cast<unsigned>(module.patterns.size()));
    out.u16(trackerVersion);
    out.u16(trackerVersion);
    out.u16(0x01 | (instrumentMode ? 0x04 : 0) | (module.linearSlides ? 0x08 : 0));
    out.u16(0);  // no message, no edit history
    out.u8(checked(module.globalVolume, 0, 128, "global volume"));
    out.u8(checked(module.mixVolume, 0, 128, "mix volume"));
    out.u8(checked(module.initialSpeed, 1, 255, "initial speed"));
    out.u8(checked(module.initialTempo, 32, 255, "initial tempo"));
    out.u8(checked(module.panSeparation, 0, 128, "pan separation"));
    out.u8(0);  // pitch wheel depth
    out.u16(0);
    out.u32(0);
    out.u32(0);
    for (int pan : module.channelPan) {
        const int base = pan & ~128;
        require(base <= 64 || base == 100, "channel pan out of range: " + std::to_string(pan));
        out.u8(checked(pan, 0, 255, "channel pan"));
    }
    for (int volume : module.channelVolume) out.u8(checked(volume, 0, 64, "channel volume"));
}

}  // namespace

bool ItCell::empty() const {
    return note == noNote && instrument == 0 && volume == noVolume && command == 0;
}

ItPattern::ItPattern(int rows) : rowCount(rows) {
    checked(rows, 1, 200, "pattern rows");
    cells.resize(static_cast<std::size_t>(rows) * channelCount);
}

ItCell& ItPattern::cell(int row, int channel) {
    checked(row, 0, rowCount - 1, "pattern row");
    checked(channel, 0, channelCount - 1, "pattern channel");
    return cells[static_cast<std::size_t>(row) * channelCount + channel];
}

const ItCell& ItPattern::cell(int row, int channel) const {
    return const_cast<ItPattern*>(this)->cell(row, channel);
}

ItInstrument::ItInstrument() {
    for (std::size_t note = 0; note < keyboardNote.size(); ++note) {
        keyboardNote[note] = static_cast<std::uint8_t>(note);
    }
}

void ItInstrument::useSampleForAllNotes(int sample) {
    checked(sample, 0, 255, "instrument sample");
    keyboardSample.fill(static_cast<std::uint8_t>(sample));
}

ItModule::ItModule() {
    channelPan.fill(32);
    channelVolume.fill(64);
}

std::vector<std::uint8_t> ItWriter::write(const ItModule& module) {
    require(module.orders.size() <= 255, "more than 255 orders");
    require(module.patterns.size() <= 240, "more than 240 patterns");
    require(module.samples.size() <= 99, "more than 99 samples");
    require(module.instruments.size() <= 99, "more than 99 instruments");
    for (int order : module.orders) {
        require(order == ItModule::skipOrder ||
                    (order >= 0 && static_cast<std::size_t>(order) < module.patterns.size()),
                "order names a missing pattern: " + std::to_string(order));
    }

    ByteBuffer out;
    writeHeader(out, module);
    for (int order : module.orders) out.u8(order);
    // The list always ends with the end marker, so playback stops rather than loops.
    out.u8(endOfSong);

    const std::size_t tableAt = out.size();
    const std::size_t entries =
        module.instruments.size() + module.samples.size() + module.patterns.size();
    out.zeros(entries * 4);
    std::size_t entry = tableAt;
    auto recordOffset = [&]() {
        out.put32At(entry, static_cast<std::uint32_t>(out.size()));
        entry += 4;
    };

    for (const ItInstrument& instrument : module.instruments) {
        recordOffset();
        writeInstrument(out, instrument, module.samples.size());
    }
    std::vector<std::size_t> dataPointers;
    for (const ItSample& sample : module.samples) {
        recordOffset();
        dataPointers.push_back(writeSampleHeader(out, sample));
    }
    const std::size_t cellLimit =
        module.instruments.empty() ? module.samples.size() : module.instruments.size();
    for (const ItPattern& pattern : module.patterns) {
        recordOffset();
        writePattern(out, pattern, cellLimit);
    }
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        const ItSample& sample = module.samples[i];
        out.put32At(dataPointers[i], sample.data.empty() ? 0 : static_cast<std::uint32_t>(out.size()));
        for (std::int16_t value : sample.data) out.u16(static_cast<std::uint16_t>(value));
    }
    return out.bytes;
}

void ItWriter::save(const ItModule& module, const std::string& path) {
    const std::vector<std::uint8_t> bytes = write(module);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("ItWriter: cannot create " + path);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("ItWriter: cannot write " + path);
}
