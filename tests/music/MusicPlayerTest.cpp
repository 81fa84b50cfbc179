// The music player without a sound card: offline rendering walks the fixture
// modules row by row; the null output keeps wall-clock time; load failures.
#include "demo/music/MusicPlayer.h"
#include "shell/CError.h"
#include "tests/fixtures/FixtureData.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <chrono>
#include <cmath>
#include <stdexcept>
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
};

std::string errorText(const std::string& file, AudioOutputKind kind) {
    try {
        MusicPlayer player(file, kind);
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
    MusicPlayer player(writeModule(shape), AudioOutputKind::Offline);
    player.play();
    std::vector<Position> seen{position(player)};
    // 64 frames a step is far finer than a row (about 430 frames).
    for (int step = 0; step < 30 * 44100 / 64 && seen.back().first != past; ++step) {
        player.renderOffline(nullptr, 64);
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

TEST_F(MusicPlayerOffline, ReportsZeroAndStaysSilentBeforePlay) {
    MusicPlayer player(writeModule(tinyModuleShape()), AudioOutputKind::Offline);
    EXPECT_EQ(position(player), Position(0, 0));
    std::vector<float> audio(2 * 4410);
    player.renderOffline(audio.data(), 4410);
    EXPECT_TRUE(silent(audio));
    EXPECT_EQ(position(player), Position(0, 0));

    player.play();
    EXPECT_EQ(position(player), Position(0, 0));
    player.renderOffline(audio.data(), 4410);
    EXPECT_FALSE(silent(audio));
    // 100 ms in, with 60 ms rows: the second row.
    EXPECT_EQ(position(player), Position(0, 1));
}

TEST_F(MusicPlayerOffline, SongEndGivesThePastEndPositionThenMusicEndedOnce) {
    MusicPlayer player(writeModule(shortModuleShape()), AudioOutputKind::Offline);
    player.play();
    Position last{0, 0};
    int step = 0;
    int pastEndStep = -1;
    while (!musicEnded && step < 10 * 441) {
        player.renderOffline(nullptr, 100);
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
    player.renderOffline(audio.data(), 44100);
    EXPECT_FALSE(musicEnded);
    EXPECT_TRUE(silent(audio));
    EXPECT_EQ(position(player), Position(past, past));
}

TEST_F(MusicPlayerOffline, NullOutputFollowsTheWallClock) {
    const FixtureModuleShape shape = tinyModuleShape();
    MusicPlayer player(writeModule(shape), AudioOutputKind::Null);
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
    EXPECT_THROW(player.renderOffline(nullptr, 10), std::logic_error);
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
    for (AudioOutputKind kind : {AudioOutputKind::Offline, AudioOutputKind::Device}) {
        EXPECT_EQ(errorText((data / "missing.it").string(), kind), "Error bass init");
        EXPECT_EQ(errorText((data / "garbage.it").string(), kind), "Error bass init");
        EXPECT_EQ(errorText((data / "empty.it").string(), kind), "Error bass init");
        EXPECT_EQ(errorText((data / "truncated.it").string(), kind), "Error bass init");
        EXPECT_EQ(errorText(data.string(), kind), "Error bass init");
    }
}

TEST(MusicPlayerLoad, KeepsItsOwnCopyOfTheFileName) {
    FixtureDataDir dir{FixtureDataOptions{FixtureFile::Valid, FixtureFile::Missing,
                                          FixtureFile::Missing, tinyModuleShape()}};
    std::string name = dir.modulePath().string();
    MusicPlayer player(name, AudioOutputKind::Offline);
    name.assign("changed");
    EXPECT_EQ(player.fileName, dir.modulePath().string());
    ASSERT_NE(player.music, nullptr);
    EXPECT_EQ(player.music->get_num_orders(), tinyModuleShape().orders);
}
