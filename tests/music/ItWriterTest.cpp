// Round trips of written modules through libopenmpt: what the writer puts in
// the file is what a real player reads back, without loader warnings.
#include "tools/itwriter/ItWriter.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

ItSample dcSample(std::size_t frames) {
    ItSample sample;
    sample.name = "dc";
    sample.c5Speed = 44100;
    sample.data.assign(frames, 8000);
    return sample;
}

// Three patterns of different lengths, two samples, a few effects.
ItModule richModule() {
    ItModule module;
    module.songName = "round trip";
    module.initialSpeed = 4;
    module.initialTempo = 150;
    module.samples.push_back(dcSample(1000));
    module.samples.push_back(dcSample(300));
    module.samples[1].name = "second";
    for (int rows : {64, 32, 100}) module.patterns.emplace_back(rows);
    ItCell& a = module.patterns[0].cell(0, 0);
    a.note = 60;
    a.instrument = 1;
    a.volume = 50;
    a.command = 'A';
    a.parameter = 3;
    ItCell& b = module.patterns[1].cell(31, 63);
    b.note = ItCell::noteOff;
    ItCell& c = module.patterns[2].cell(99, 5);
    c.instrument = 2;
    c.command = 'T';
    c.parameter = 0x90;
    module.orders = {0, 2, ItModule::skipOrder, 1, 0};
    return module;
}

std::unique_ptr<openmpt::module> load(const std::vector<std::uint8_t>& bytes, std::string& log) {
    std::ostringstream stream;
    auto module = std::make_unique<openmpt::module>(bytes, stream);
    log = stream.str();
    return module;
}

// One looped sample played by one instrument; 20 ms ticks, 120 ms rows.
constexpr std::size_t tickFrames = 882;
constexpr std::size_t rowFrames = 6 * tickFrames;

ItModule instrumentModule(ItSample sample, const ItInstrument& instrument) {
    ItModule model;
    model.initialSpeed = 6;
    model.initialTempo = 125;
    sample.loop = true;
    sample.loopStart = 0;
    sample.loopEnd = static_cast<std::uint32_t>(sample.data.size());
    model.samples.push_back(sample);
    model.instruments.push_back(instrument);
    model.instruments[0].useSampleForAllNotes(1);
    model.patterns.emplace_back(32);
    model.orders = {0};
    return model;
}

void play(ItPattern& pattern, int row, int note) {
    pattern.cell(row, 0).note = note;
    pattern.cell(row, 0).instrument = 1;
}

// The left channel as libopenmpt plays the module.
std::vector<float> heard(const ItModule& model) {
    std::string log;
    auto module = load(ItWriter::write(model), log);
    EXPECT_EQ(log, "");
    std::vector<float> audio(2 * 32 * rowFrames), left;
    const std::size_t frames = module->read_interleaved_stereo(44100, audio.size() / 2, audio.data());
    for (std::size_t i = 0; i < frames; ++i) left.push_back(audio[2 * i]);
    left.resize(32 * rowFrames, 0.0f);
    return left;
}

// Mean level over the middle half of a row, away from the mixer's ramps.
double level(const std::vector<float>& left, int row) {
    double sum = 0.0;
    const std::size_t from = row * rowFrames + rowFrames / 4, to = from + rowFrames / 2;
    for (std::size_t i = from; i < to; ++i) sum += std::fabs(left[i]);
    return sum / static_cast<double>(to - from);
}

// Share of a sound's power in its fast changes: about 2 for white noise,
// near 0 once a low-pass has taken the highs away.
double brightness(const std::vector<float>& left, int row) {
    double change = 0.0, power = 0.0;
    const std::size_t from = row * rowFrames + rowFrames / 4, to = from + rowFrames / 2;
    for (std::size_t i = from; i < to; ++i) {
        change += double(left[i] - left[i - 1]) * (left[i] - left[i - 1]);
        power += double(left[i]) * left[i];
    }
    return power > 0.0 ? change / power : 0.0;
}

ItSample noiseSample() {
    ItSample sample = dcSample(8192);
    std::uint32_t state = 0x2545;
    for (std::int16_t& value : sample.data) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        value = static_cast<std::int16_t>(static_cast<std::int32_t>(state % 16001) - 8000);
    }
    return sample;
}

}  // namespace

TEST(ItWriter, RichModuleLoadsWithoutWarningsAndKeepsStructure) {
    const ItModule model = richModule();
    const std::vector<std::uint8_t> bytes = ItWriter::write(model);
    std::string log;
    auto module = load(bytes, log);
    EXPECT_EQ(module->get_metadata("warnings"), "");
    EXPECT_EQ(log, "");
    EXPECT_EQ(module->get_metadata("type"), "it");
    EXPECT_EQ(module->get_metadata("title"), "round trip");
    EXPECT_EQ(module->get_current_speed(), 4);
    EXPECT_EQ(module->get_current_tempo(), 150);

    ASSERT_EQ(module->get_num_orders(), 5);
    EXPECT_EQ(module->get_order_pattern(0), 0);
    EXPECT_EQ(module->get_order_pattern(1), 2);
    EXPECT_EQ(module->get_order_pattern(3), 1);
    EXPECT_EQ(module->get_order_pattern(4), 0);
    ASSERT_EQ(module->get_num_patterns(), 3);
    EXPECT_EQ(module->get_pattern_num_rows(0), 64);
    EXPECT_EQ(module->get_pattern_num_rows(1), 32);
    EXPECT_EQ(module->get_pattern_num_rows(2), 100);

    ASSERT_EQ(module->get_num_samples(), 2);
    EXPECT_EQ(module->get_sample_names()[1], "second");
    EXPECT_EQ(module->get_num_instruments(), 0);
}

TEST(ItWriter, CellsSurviveThePackedPatternFormat) {
    auto module = [] {
        std::string log;
        return load(ItWriter::write(richModule()), log);
    }();
    using M = openmpt::module;
    // libopenmpt counts notes from 1 (C-0), so C-5 (60) reads back as 61.
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 0, 0, M::command_note), 61);
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 0, 0, M::command_instrument), 1);
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 0, 0, M::command_volume), 50);
    EXPECT_EQ(module->format_pattern_row_channel_command(0, 0, 0, M::command_effect), "A");
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 0, 0, M::command_parameter), 3);
    EXPECT_EQ(module->format_pattern_row_channel_command(1, 31, 63, M::command_note), "===");
    EXPECT_EQ(module->get_pattern_row_channel_command(2, 99, 5, M::command_instrument), 2);
    EXPECT_EQ(module->format_pattern_row_channel_command(2, 99, 5, M::command_effect), "T");
    EXPECT_EQ(module->get_pattern_row_channel_command(2, 99, 5, M::command_parameter), 0x90);
    // Neighbours of written cells stay empty.
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 0, 1, M::command_note), 0);
    EXPECT_EQ(module->get_pattern_row_channel_command(0, 1, 0, M::command_instrument), 0);
}

TEST(ItWriter, OrderListEndsWithTheEndMarkerAndBytesAreDeterministic) {
    const ItModule model = richModule();
    const std::vector<std::uint8_t> bytes = ItWriter::write(model);
    EXPECT_EQ(bytes, ItWriter::write(model));
    ASSERT_GT(bytes.size(), 0xC0u + 6);
    EXPECT_EQ(bytes[0x20] | bytes[0x21] << 8, 6);  // five orders and the marker
    EXPECT_EQ(bytes[0xC0 + 2], 254);
    EXPECT_EQ(bytes[0xC0 + 5], 255);
}

TEST(ItWriter, SpeedTempoAndRowsGiveTheExpectedDuration) {
    ItModule model;
    model.initialSpeed = 6;
    model.initialTempo = 125;  // 20 ms ticks, 120 ms rows
    model.samples.push_back(dcSample(100));
    model.patterns.emplace_back(32);
    model.patterns.emplace_back(16);
    model.orders = {0, 1, 0};
    std::string log;
    auto module = load(ItWriter::write(model), log);
    EXPECT_NEAR(module->get_duration_seconds(), (32 + 16 + 32) * 0.12, 0.01);
}

TEST(ItWriter, SampleDataLengthIsHeardExactly) {
    // A one-shot DC sample played at its own rate sounds for exactly its length.
    constexpr std::size_t length = 4410;
    ItModule model;
    model.initialSpeed = 6;
    model.initialTempo = 125;
    model.samples.push_back(dcSample(length));
    model.patterns.emplace_back(8);
    model.patterns[0].cell(0, 0).note = 60;
    model.patterns[0].cell(0, 0).instrument = 1;
    model.orders = {0};
    std::string log;
    auto module = load(ItWriter::write(model), log);
    std::vector<float> audio(2 * 44100);
    const std::size_t frames = module->read_interleaved_stereo(44100, audio.size() / 2, audio.data());
    ASSERT_GT(frames, length);
    const float plateau = std::fabs(audio[2 * (length / 2)]);
    ASSERT_GT(plateau, 0.01f);
    // The mixer lets the level die away after the last sample frame instead
    // of clicking; where it starts to fall marks the end of the data.
    std::size_t firstFalling = 0;
    for (std::size_t i = length / 2; i < frames && firstFalling == 0; ++i) {
        if (std::fabs(audio[2 * i]) < 0.98f * plateau) firstFalling = i;
    }
    EXPECT_NEAR(static_cast<double>(firstFalling), static_cast<double>(length), 16.0);
}

TEST(ItWriter, LoopedSampleKeepsSounding) {
    ItModule model;
    model.samples.push_back(dcSample(200));
    model.samples[0].loop = true;
    model.samples[0].loopStart = 100;
    model.samples[0].loopEnd = 200;
    model.patterns.emplace_back(16);
    model.patterns[0].cell(0, 0).note = 60;
    model.patterns[0].cell(0, 0).instrument = 1;
    model.orders = {0};
    std::string log;
    auto module = load(ItWriter::write(model), log);
    std::vector<float> audio(2 * 22050);
    module->read_interleaved_stereo(44100, audio.size() / 2, audio.data());
    EXPECT_GT(std::fabs(audio[2 * 20000]), 0.01f);  // far past the 200 frames of data
}

TEST(ItWriter, InstrumentModeWithEnvelopeLoads) {
    ItModule model = richModule();
    ItInstrument instrument;
    instrument.name = "lead";
    instrument.useSampleForAllNotes(2);
    instrument.fadeOut = 128;
    instrument.volumeEnvelope.enabled = true;
    instrument.volumeEnvelope.sustain = true;
    instrument.volumeEnvelope.sustainStart = instrument.volumeEnvelope.sustainEnd = 1;
    instrument.volumeEnvelope.nodes = {{0, 64}, {10, 48}, {40, 0}};
    instrument.panningEnvelope.nodes = {{0, -32}, {5, 32}};
    model.instruments = {ItInstrument{}, instrument};
    model.instruments[0].useSampleForAllNotes(1);
    std::string log;
    auto module = load(ItWriter::write(model), log);
    EXPECT_EQ(module->get_metadata("warnings"), "");
    EXPECT_EQ(log, "");
    ASSERT_EQ(module->get_num_instruments(), 2);
    EXPECT_EQ(module->get_instrument_names()[1], "lead");
    EXPECT_GT(module->get_duration_seconds(), 0.0);
}

TEST(ItWriter, InstrumentKeyboardDecidesWhichSampleSounds) {
    auto loudness = [](bool mapped) {
        ItModule model;
        model.samples.push_back(dcSample(20000));
        ItInstrument instrument;
        if (mapped) instrument.useSampleForAllNotes(1);
        model.instruments.push_back(instrument);
        model.patterns.emplace_back(16);
        model.patterns[0].cell(0, 0).note = 60;
        model.patterns[0].cell(0, 0).instrument = 1;
        model.orders = {0};
        std::string log;
        auto module = load(ItWriter::write(model), log);
        std::vector<float> audio(2 * 4410);
        module->read_interleaved_stereo(44100, 4410, audio.data());
        return std::fabs(audio[2 * 3000]);
    };
    EXPECT_GT(loudness(true), 0.01f);
    EXPECT_EQ(loudness(false), 0.0f);
}

TEST(ItWriter, NewNoteActionsAndDuplicateChecksDecideHowManyNotesRingTogether) {
    using I = ItInstrument;
    const struct Case {
        const char* name;
        I::NewNoteAction action;
        I::DuplicateCheck check;
        int secondNote;
        double voices;  // sounding after the second note, in units of one note
    } cases[] = {
        {"cut", I::NewNoteAction::Cut, I::DuplicateCheck::Off, 60, 1.0},
        {"continue", I::NewNoteAction::Continue, I::DuplicateCheck::Off, 60, 2.0},
        {"continue, same note checked", I::NewNoteAction::Continue, I::DuplicateCheck::Note, 60, 1.0},
        {"continue, other note checked", I::NewNoteAction::Continue, I::DuplicateCheck::Note, 62, 2.0},
        {"note off without envelope fades", I::NewNoteAction::NoteOff, I::DuplicateCheck::Off, 60, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItInstrument instrument;
        instrument.newNoteAction = c.action;
        instrument.duplicateCheck = c.check;
        instrument.fadeOut = 256;
        ItModule model = instrumentModule(dcSample(1000), instrument);
        play(model.patterns[0], 0, 60);
        play(model.patterns[0], 4, c.secondNote);
        const std::vector<float> left = heard(model);
        ASSERT_GT(level(left, 2), 0.01);
        EXPECT_NEAR(level(left, 6) / level(left, 2), c.voices, 0.05);
    }
}

TEST(ItWriter, VolumeEnvelopeAndFadeOutShapeANoteAroundItsNoteOff) {
    const struct Case {
        const char* name;
        bool envelope;  // 64, down to a sustained 32, then 0 twelve ticks after note-off
        int fadeOut;
        int row;          // note on at row 0, note off at row 8
        double fraction;  // of the level a plain note has
    } cases[] = {
        {"envelope attack, first row", true, 0, 0, 0.9},
        {"envelope sustained", true, 0, 6, 0.5},
        {"envelope released", true, 0, 11, 0.0},
        {"no envelope, no fade-out: rings on", false, 0, 12, 1.0},
        {"no envelope, fast fade-out", false, 64, 12, 0.0},
    };
    ItModule plain = instrumentModule(dcSample(1000), ItInstrument{});
    play(plain.patterns[0], 0, 60);
    const std::vector<float> reference = heard(plain);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItInstrument instrument;
        instrument.fadeOut = c.fadeOut;
        instrument.volumeEnvelope.enabled = c.envelope;
        instrument.volumeEnvelope.sustain = true;
        instrument.volumeEnvelope.sustainStart = instrument.volumeEnvelope.sustainEnd = 2;
        instrument.volumeEnvelope.nodes = {{0, 64}, {3, 64}, {12, 32}, {24, 0}};
        ItModule model = instrumentModule(dcSample(1000), instrument);
        play(model.patterns[0], 0, 60);
        model.patterns[0].cell(8, 0).note = ItCell::noteOff;
        const double fraction = level(heard(model), c.row) / level(reference, c.row);
        EXPECT_NEAR(fraction, c.fraction, c.fraction == 0.9 ? 0.1 : 0.03);
    }
}

TEST(ItWriter, ResonantFilterDarkensNotesFromTheInstrumentTheCellOrTheFilterEnvelope) {
    // Against the unfiltered noise. The format's filter opens no further than
    // about 5 kHz once it is on, which keeps a fifth of the noise's brightness.
    const struct Case {
        const char* name;
        int cutoff;     // instrument's initial cut-off, -1 = none
        int resonance;  // -1 = none
        bool envelope;  // the pitch envelope steers the filter: closed, opening by row 8
        int zAtRow0;    // Zxx cut-off macro at row 0 (-1 = none) ...
        int zAtRow8;    // ... and at row 8
        double lateLeast, lateMost;    // brightness at row 12 (row 2 is dark in every case)
        double levelLeast, levelMost;  // level at row 2
    } cases[] = {
        {"instrument cut-off", 24, -1, false, -1, -1, 0.0, 0.01, 0.05, 0.2},
        {"instrument cut-off, resonant peak", 24, 120, false, -1, -1, 0.0, 0.01, 0.3, 0.6},
        {"Zxx sweep from closed to open", -1, -1, false, 0x18, 0x7E, 0.08, 0.3, 0.05, 0.2},
        {"filter envelope", 127, -1, true, -1, -1, 0.06, 0.3, 0.03, 0.2},
    };
    ItModule plain = instrumentModule(noiseSample(), ItInstrument{});
    play(plain.patterns[0], 0, 60);
    const std::vector<float> reference = heard(plain);
    ASSERT_GT(brightness(reference, 2), 1.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItInstrument instrument;
        instrument.filterCutoff = c.cutoff;
        instrument.filterResonance = c.resonance;
        instrument.pitchEnvelope.enabled = c.envelope;
        instrument.pitchEnvelope.filter = true;
        instrument.pitchEnvelope.nodes = {{0, -32}, {24, -32}, {48, 32}};
        ItModule model = instrumentModule(noiseSample(), instrument);
        play(model.patterns[0], 0, 60);
        for (const auto& z : {std::make_pair(0, c.zAtRow0), std::make_pair(8, c.zAtRow8)}) {
            if (z.second < 0) continue;
            model.patterns[0].cell(z.first, 0).command = 'Z';
            model.patterns[0].cell(z.first, 0).parameter = static_cast<std::uint8_t>(z.second);
        }
        const std::vector<float> left = heard(model);
        EXPECT_LT(brightness(left, 2) / brightness(reference, 2), 0.01);
        EXPECT_GE(brightness(left, 12) / brightness(reference, 12), c.lateLeast);
        EXPECT_LE(brightness(left, 12) / brightness(reference, 12), c.lateMost);
        EXPECT_GE(level(left, 2) / level(reference, 2), c.levelLeast);
        EXPECT_LE(level(left, 2) / level(reference, 2), c.levelMost);
    }
}

TEST(ItWriter, RejectsWhatTheFormatCannotHold) {
    ItModule model = richModule();
    model.orders.push_back(3);  // only patterns 0..2 exist
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    model = richModule();
    model.patterns[0].cell(1, 1).volume = 213;
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    model = richModule();
    model.patterns[0].cell(2, 2).instrument = 3;  // two samples, sample mode
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    model = richModule();
    model.samples[0].loop = true;
    model.samples[0].loopStart = 10;
    model.samples[0].loopEnd = 1001;  // past the data
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    model = richModule();
    model.initialTempo = 31;
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    model = richModule();
    model.instruments.resize(1);
    model.instruments[0].filterCutoff = 128;
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);
    model.instruments[0].filterCutoff = 127;
    model.instruments[0].volumeEnvelope.filter = true;  // only the pitch envelope can
    EXPECT_THROW(ItWriter::write(model), std::invalid_argument);

    EXPECT_THROW(ItPattern(0), std::invalid_argument);
    EXPECT_THROW(ItPattern(201), std::invalid_argument);
    ItPattern pattern(4);
    EXPECT_THROW(pattern.cell(4, 0), std::invalid_argument);
    EXPECT_THROW(pattern.cell(0, 64), std::invalid_argument);
}
