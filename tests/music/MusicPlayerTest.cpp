// The music player without a sound card: the offline output walks the fixture
// modules row by row and finds each row's first frame; the null output keeps
// wall-clock time; the fade-out; load failures.
#include "demo/music/MusicPlayer.h"
#include "demo/music/NullAudioOutput.h"
#include "demo/music/OfflineAudioOutput.h"
#include "demo/music/SdlAudioOutput.h"
#include "shell/CError.h"
#include "tests/fixtures/FixtureData.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Position = std::pair<unsigned, unsigned>;
constexpr unsigned past = 65535;

class MusicPlayerOffline : public ::testing::Test {
protected:
    void SetUp() override { musicEnded = false; }

    std::string writeModule(const FixtureModuleShape& shape) {
        const std::filesystem::path path = dir.path() / "data" / "walk.it";
        writeBytes(path, fixtureModuleBytes(shape));
        return path.string();
    }

    static Position position(MusicPlayer& player) { return {player.order(), player.row()}; }

    FixtureDataDir dir{FixtureDataOptions{FixtureFile::Missing, FixtureFile::Missing,
                                          FixtureFile::Missing, fastModuleShape()}};
    OfflineAudioOutput output;
};

std::string errorText(const std::string& file, AudioOutput& output) {
    try {
        MusicPlayer player(file, output);
    } catch (const CError& error) {
        return error.message();
    }
    return "no error";
}

bool silent(const std::vector<float>& audio) {
    for (float value : audio) {
        if (std::fabs(value) > 1e-6f) return false;
    }
    return true;
}

}  // namespace

TEST_F(MusicPlayerOffline, WalksEveryRowOfEveryOrderInTurnThenReportsThePastEnd) {
    const FixtureModuleShape shape = fastModuleShape();
    MusicPlayer player(writeModule(shape), output);
    player.play();
    std::vector<Position> seen{position(player)};
    // 64 frames a step is far finer than a row (about 430 frames).
    for (int step = 0; step < 30 * 44100 / 64 && seen.back().first != past; ++step) {
        output.render(nullptr, 64);
        const Position now = position(player);
        if (now != seen.back()) seen.push_back(now);
    }
    std::vector<Position> expected;
    for (int order = 0; order < shape.orders; ++order) {
        for (int row = 0; row < shape.rows; ++row) expected.emplace_back(order, row);
    }
    expected.emplace_back(past, past);
    EXPECT_EQ(seen, expected);
}

namespace {

// Where libopenmpt itself says each row begins: read one frame at a time, the
// read after which the row has changed rendered the row's first frame.
std::vector<RowStart> libopenmptRowStarts(const std::vector<std::uint8_t>& bytes, std::size_t rows) {
    std::ostringstream log;
    openmpt::module module(bytes, log);
    module.set_repeat_count(0);
    std::vector<RowStart> starts{{0, {0, 0}}};
    float frame[2];
    for (std::int64_t index = 0; starts.size() < rows && module.read_interleaved_stereo(44100, 1, frame) == 1;
         ++index) {
        const ModulePosition now{static_cast<unsigned>(module.get_current_order()),
                                 static_cast<unsigned>(module.get_current_row())};
        if (now.order != starts.back().position.order || now.row != starts.back().position.row) {
            starts.push_back({index, now});
        }
    }
    return starts;
}

std::string describe(const std::vector<RowStart>& rows) {
    std::ostringstream text;
    for (const RowStart& row : rows) text << row.position.order << ":" << row.position.row << "@" << row.frame << " ";
    return text.str();
}

}  // namespace

TEST_F(MusicPlayerOffline, EveryRowBeginsOnTheFrameLibopenmptItselfStartsItOn) {
    struct Case {
        const char* name;
        FixtureModuleShape shape;
        std::vector<std::size_t> reads;  // frames per render call, repeated
    };
    // Ticks of 432 frames (tempo 255), of 1137 (tempo 97: 2.5 s / 97 is not
    // a whole number of frames), and reads that the capture tool, the SDL
    // device and a ragged caller make.
    const Case cases[] = {
        {"speed 1, tempo 255, frames of 60 fps", {3, 64, 1, 255}, {735}},
        {"speed 3, tempo 97, device buffers", {2, 16, 3, 97}, {2048}},
        {"speed 5, tempo 130, ragged reads", {2, 16, 5, 130}, {1, 220, 7, 1000, 333}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path path = dir.path() / "data" / "rows.it";
        const std::vector<std::uint8_t> bytes = fixtureModuleBytes(c.shape);
        writeBytes(path, bytes);
        OfflineAudioOutput out;
        MusicPlayer player(path.string(), out);
        player.play();
        const auto rows = static_cast<std::size_t>(c.shape.orders * c.shape.rows);
        std::vector<RowStart> recorded;
        for (std::size_t call = 0; recorded.size() < rows && call < 100000; ++call) {
            out.render(nullptr, c.reads[call % c.reads.size()]);
            // Collected as the song goes: the history holds the latest rows.
            player.rowsStarted(recorded.empty() ? -1 : recorded.back().frame, out.audibleFrame(), recorded);
        }
        recorded.resize(std::min(recorded.size(), rows));
        EXPECT_EQ(describe(recorded), describe(libopenmptRowStarts(bytes, rows)));
        // The row heard at a frame is the one begun at or before it.
        const RowStart& third = recorded.at(2);
        EXPECT_EQ(player.rowAt(third.frame).position.row, third.position.row);
        EXPECT_EQ(player.rowAt(third.frame - 1).position.row, recorded.at(1).position.row);
    }
}

TEST_F(MusicPlayerOffline, FadeOutRampsTheNextFramesToSilenceAndStaysSilent) {
    // Two players on the same module and the same reads; one fades.
    const std::string file = writeModule(tinyModuleShape());
    OfflineAudioOutput otherOutput;
    MusicPlayer fading(file, output);
    MusicPlayer steady(file, otherOutput);
    fading.play();
    steady.play();
    std::vector<float> before(2 * 4410);
    output.render(before.data(), 4410);
    otherOutput.render(before.data(), 4410);

    fading.fadeOut();
    std::vector<float> faded(2 * 2000), reference(2 * 2000);
    output.render(faded.data(), 2000);
    otherOutput.render(reference.data(), 2000);
    const std::int64_t ramp = ModuleRenderer::fadeFrames;
    ASSERT_GT(*std::max_element(reference.begin(), reference.begin() + ramp * 2), 0.005f) << "music sounds";
    for (std::int64_t i = 0; i < 2000; ++i) {
        // Linear from full level to nothing over the ramp, then silence.
        const float gain = i < ramp ? float(ramp - i) / float(ramp + 1) : 0.0f;
        for (int channel = 0; channel < 2; ++channel) {
            ASSERT_NEAR(faded[i * 2 + channel], reference[i * 2 + channel] * gain, 1e-6f) << "frame " << i;
        }
    }
    output.render(faded.data(), 2000);
    EXPECT_TRUE(silent(faded)) << "the fade is not undone";
}

TEST_F(MusicPlayerOffline, ReportsZeroAndStaysSilentBeforePlay) {
    MusicPlayer player(writeModule(tinyModuleShape()), output);
    EXPECT_EQ(position(player), Position(0, 0));
    std::vector<float> audio(2 * 4410);
    output.render(audio.data(), 4410);
    EXPECT_TRUE(silent(audio));
    EXPECT_EQ(position(player), Position(0, 0));

    player.play();
    EXPECT_EQ(position(player), Position(0, 0));
    output.render(audio.data(), 4410);
    EXPECT_FALSE(silent(audio));
    // 100 ms in, with 60 ms rows: the second row.
    EXPECT_EQ(position(player), Position(0, 1));
}

TEST_F(MusicPlayerOffline, SongEndGivesThePastEndPositionThenMusicEndedOnce) {
    MusicPlayer player(writeModule(shortModuleShape()), output);
    player.play();
    Position last{0, 0};
    int step = 0;
    int pastEndStep = -1;
    while (!musicEnded && step < 10 * 441) {
        output.render(nullptr, 100);
        ++step;
        const Position now = position(player);
        if (now.first != past) {
            ASSERT_EQ(pastEndStep, -1) << "the position came back from past the end";
            ASSERT_FALSE(musicEnded) << "musicEnded ran ahead of the end position";
            last = now;
        } else if (pastEndStep < 0) {
            pastEndStep = step;
        }
    }
    ASSERT_TRUE(musicEnded);
    ASSERT_GE(pastEndStep, 0);
    // libopenmpt's 0/0 after the last row must not show through.
    EXPECT_EQ(last, Position(4, 63));
    EXPECT_EQ(position(player), Position(past, past));
    // Only the decoder's short fade-out separates the two: well under 0.3 s.
    EXPECT_LE(step - pastEndStep, 0.3 * 441);

    // Once set it is never set again: clear it and play on, in silence.
    musicEnded = false;
    std::vector<float> audio(2 * 44100);
    output.render(audio.data(), 44100);
    EXPECT_FALSE(musicEnded);
    EXPECT_TRUE(silent(audio));
    EXPECT_EQ(position(player), Position(past, past));
}

TEST_F(MusicPlayerOffline, NullOutputFollowsTheWallClock) {
    const FixtureModuleShape shape = tinyModuleShape();
    NullAudioOutput nullOutput;
    MusicPlayer player(writeModule(shape), nullOutput);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(position(player), Position(0, 0));
    player.play();
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const Position now = position(player);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double rows = now.first * shape.rows + now.second;
    EXPECT_NEAR(rows + 0.5, elapsed / rowSeconds(shape), 1.0);
}

TEST(MusicPlayerLoad, MissingGarbageEmptyOrDirectoryFailsWithBassInit) {
    FixtureDataDir dir{FixtureDataOptions{FixtureFile::Missing, FixtureFile::Missing,
                                          FixtureFile::Missing, tinyModuleShape()}};
    const std::filesystem::path data = dir.path() / "data";
    writeBytes(data / "garbage.it", garbageModuleBytes());
    writeBytes(data / "empty.it", {});
    std::vector<std::uint8_t> truncated = fixtureModuleBytes(tinyModuleShape());
    truncated.resize(16);
    writeBytes(data / "truncated.it", truncated);
    OfflineAudioOutput offline;
    SdlAudioOutput device;
    for (AudioOutput* output : std::initializer_list<AudioOutput*>{&offline, &device}) {
        EXPECT_EQ(errorText((data / "missing.it").string(), *output), "Error bass init");
        EXPECT_EQ(errorText((data / "garbage.it").string(), *output), "Error bass init");
        EXPECT_EQ(errorText((data / "empty.it").string(), *output), "Error bass init");
        EXPECT_EQ(errorText((data / "truncated.it").string(), *output), "Error bass init");
        EXPECT_EQ(errorText(data.string(), *output), "Error bass init");
    }
}

TEST(MusicPlayerLoad, KeepsItsOwnCopyOfTheFileName) {
    FixtureDataDir dir{FixtureDataOptions{FixtureFile::Valid, FixtureFile::Missing,
                                          FixtureFile::Missing, tinyModuleShape()}};
    std::string name = dir.modulePath().string();
    OfflineAudioOutput output;
    MusicPlayer player(name, output);
    name.assign("changed");
    EXPECT_EQ(player.fileName, dir.modulePath().string());
    ASSERT_NE(player.music, nullptr);
    EXPECT_EQ(player.music->get_num_orders(), tinyModuleShape().orders);
}
