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

    EXPECT_THROW(ItPattern(0), std::invalid_argument);
    EXPECT_THROW(ItPattern(201), std::invalid_argument);
    ItPattern pattern(4);
    EXPECT_THROW(pattern.cell(4, 0), std::invalid_argument);
    EXPECT_THROW(pattern.cell(0, 64), std::invalid_argument);
}
