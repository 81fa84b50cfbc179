// The music player on a real SDL audio device (the dummy driver in tests):
// the audible position against the wall clock, the end, no device at all,
// and a device that outlives its player.
#include "demo/music/MusicPlayer.h"
#include "demo/music/SdlAudioOutput.h"
#include "shell/CError.h"
#include "tests/fixtures/FixtureData.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned past = 65535;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class MusicPlayerDevice : public ::testing::Test {
protected:
    void SetUp() override {
        musicEnded = false;
        ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    }

    std::string writeModule(const FixtureModuleShape& shape) {
        bytes = fixtureModuleBytes(shape);
        const std::filesystem::path path = dir.path() / "data" / "device.it";
        writeBytes(path, bytes);
        return path.string();
    }

    // The row length libopenmpt really plays, which rounds ticks to frames.
    double playedRowSeconds(const FixtureModuleShape& shape) const {
        std::ostringstream log;
        openmpt::module module(bytes, log);
        return module.get_duration_seconds() / (shape.orders * shape.rows);
    }

    FixtureDataDir dir{FixtureDataOptions{FixtureFile::Missing, FixtureFile::Missing,
                                          FixtureFile::Missing, tinyModuleShape()}};
    std::vector<std::uint8_t> bytes;
};

}  // namespace

TEST_F(MusicPlayerDevice, ReportsZeroWhileTheDevicePlaysSilenceBeforePlay) {
    SdlAudioOutput device;
    MusicPlayer player(writeModule(tinyModuleShape()), device);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(player.order(), 0u);
    EXPECT_EQ(player.row(), 0u);
    player.play();
    EXPECT_EQ(player.order(), 0u);
    EXPECT_EQ(player.row(), 0u);
}

TEST_F(MusicPlayerDevice, AudiblePositionTracksWallClockWithinOneRow) {
    // 250 ms rows, 16 s in all. SDL's dummy driver paces itself with sleeps
    // and falls behind real time on a busy machine (10 % was seen); a row
    // this long keeps that drift within a row over the two seconds watched.
    const FixtureModuleShape shape{4, 16, 10, 100};
    SdlAudioOutput device;
    MusicPlayer player(writeModule(shape), device);
    const double rowLength = playedRowSeconds(shape);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    player.play();
    const Clock::time_point start = Clock::now();
    // One device buffer (23 ms) sits between rendering and hearing.
    const double nominalLatency = 1024.0 / 44100.0;
    double previous = 0.0;
    int samples = 0;
    while (secondsSince(start) < 2.0) {
        const unsigned order = player.order();
        const unsigned row = player.row();
        const double elapsed = secondsSince(start);
        ASSERT_LT(order, static_cast<unsigned>(shape.orders));
        const double heard = order * shape.rows + row;
        EXPECT_LE(std::fabs(heard - std::floor((elapsed - nominalLatency) / rowLength)), 1.0)
            << "at " << elapsed << " s: order " << order << " row " << row;
        EXPECT_GE(heard, previous) << "the position went backwards";
        previous = heard;
        ++samples;
        std::this_thread::sleep_for(std::chrono::milliseconds(17));
    }
    EXPECT_GT(samples, 50);
    EXPECT_GE(previous, 6.0);
    EXPECT_FALSE(musicEnded);
}

TEST_F(MusicPlayerDevice, EndIsReportedOnceAndThePositionStaysPastTheSong) {
    const FixtureModuleShape shape = tinyModuleShape();
    SdlAudioOutput device;
    MusicPlayer player(writeModule(shape), device);
    const double songSeconds = playedRowSeconds(shape) * shape.orders * shape.rows;
    player.play();
    const Clock::time_point start = Clock::now();
    bool sawLastOrder = false;
    while (!musicEnded && secondsSince(start) < songSeconds + 3.0) {
        sawLastOrder = sawLastOrder || player.order() == static_cast<unsigned>(shape.orders - 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(musicEnded);
    const double endedAfter = secondsSince(start);
    EXPECT_TRUE(sawLastOrder);
    // Heard to its end: not before the song is over, nor long after (the
    // fade-out, the buffer and the dummy driver's slack).
    EXPECT_GT(endedAfter, songSeconds);
    EXPECT_LT(endedAfter, songSeconds + 1.0);
    EXPECT_EQ(player.order(), past);
    EXPECT_EQ(player.row(), past);

    musicEnded = false;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(musicEnded) << "musicEnded was set a second time";
    EXPECT_EQ(player.order(), past);
    EXPECT_EQ(player.row(), past);
}

TEST_F(MusicPlayerDevice, NoAudioDriverFailsWithBassInit) {
    const std::string file = writeModule(tinyModuleShape());
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "no-such-driver", 1), 0);
    try {
        SdlAudioOutput device;
        FAIL() << "opened without an audio driver";
    } catch (const CError& error) {
        EXPECT_EQ(error.message(), "Error bass init");
    }
    // The failed attempt leaves nothing behind: with a driver it works again.
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    SdlAudioOutput device;
    MusicPlayer player(file, device);
    EXPECT_EQ(player.order(), 0u);
}

TEST_F(MusicPlayerDevice, DeviceLeftOpenPullsNothingOnceItsPlayerIsGoneAndServesTheNext) {
    const FixtureModuleShape shape = tinyModuleShape();
    const std::string file = writeModule(shape);
    SdlAudioOutput device;
    {
        MusicPlayer player(file, device);
        player.play();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        ASSERT_GT(device.audibleFrame(), 0);
    }
    // A callback after the module was freed would move the heard frame on
    // (and read freed memory); without one the estimate stops a buffer after
    // the last.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::int64_t heard = device.audibleFrame();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(device.audibleFrame(), heard) << "the device pulled after the player was gone";

    MusicPlayer next(file, device);
    next.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_GE(next.order() * shape.rows + next.row(), 2u) << "the reconnected device did not play";
}

namespace {

// Records which thread rendered how much: after the wall clock has taken a
// stalled device over, only the thread asking for the position may render.
struct ThreadRecordingSource : AudioSource {
    void render(float* stereo, std::size_t frames) noexcept override {
        std::fill(stereo, stereo + frames * AudioOutput::channels, 0.0f);
        const std::lock_guard<std::mutex> lock(mutex);
        if (std::this_thread::get_id() == asker) {
            askerFrames += frames;
        } else if (askerFrames > 0) {
            deviceFramesAfterTakeover += frames;
        }
    }
    std::mutex mutex;
    std::thread::id asker = std::this_thread::get_id();
    std::size_t askerFrames = 0;
    std::size_t deviceFramesAfterTakeover = 0;
};

}  // namespace

TEST_F(MusicPlayerDevice, AStalledDeviceHandsTheSourceToTheWallClockAndNeverRendersAgain) {
    SdlAudioOutput device;
    ThreadRecordingSource source;
    device.connect(source);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_GE(device.audibleFrame(), 0);
    SDL_PauseAudioDevice(device.deviceId(), 1);  // behind the output's back
    const Clock::time_point start = Clock::now();
    std::int64_t heard = -1;
    while (secondsSince(start) < 5.0 && source.askerFrames == 0) {
        heard = device.audibleFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GT(source.askerFrames, 0u) << "the wall clock never took over";
    const double takenOverAfter = secondsSince(start);
    EXPECT_LT(takenOverAfter, 3.0);

    SDL_PauseAudioDevice(device.deviceId(), 0);  // the device comes back
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::int64_t later = device.audibleFrame();
    device.disconnect();
    EXPECT_EQ(source.deviceFramesAfterTakeover, 0u) << "two renderers pulled from one source";
    // Half a second on: the position moved on by the wall clock.
    EXPECT_GT(later - heard, AudioOutput::sampleRate / 4);
    EXPECT_LT(later - heard, AudioOutput::sampleRate);
}

TEST_F(MusicPlayerDevice, TheDemoPlaysOnSilentlyToTheEndWhenTheDeviceStallsOrIsLost) {
    struct Case {
        const char* name;
        const char* driver;
        bool pauseBehindItsBack;
    };
    // SDL's disk driver drops a device whose file cannot be written, as a
    // real driver does an unplugged headset.
    const Case cases[] = {{"silent", "dummy", true}, {"lost", "disk", false}};
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", "/dev/full", 1), 0);
    const FixtureModuleShape shape = tinyModuleShape();
    const std::string file = writeModule(shape);
    const double songSeconds = playedRowSeconds(shape) * shape.orders * shape.rows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        musicEnded = false;
        ASSERT_EQ(setenv("SDL_AUDIODRIVER", c.driver, 1), 0);
        testing::internal::CaptureStderr();
        {
            SdlAudioOutput device;
            MusicPlayer player(file, device);
            player.play();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (c.pauseBehindItsBack) SDL_PauseAudioDevice(device.deviceId(), 1);
            const Clock::time_point start = Clock::now();
            unsigned lastOrder = 0;
            while (!musicEnded && secondsSince(start) < songSeconds + 5.0) {
                lastOrder = std::max(lastOrder, player.order());
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            EXPECT_TRUE(musicEnded);
            EXPECT_GE(lastOrder, static_cast<unsigned>(shape.orders - 1));
            EXPECT_EQ(player.order(), past);
        }
        const std::string errors = testing::internal::GetCapturedStderr();
        const std::string line = "velmora: the audio device stopped; the demo plays on without sound\n";
        EXPECT_NE(errors.find(line), std::string::npos) << errors;
        EXPECT_EQ(errors.find(line), errors.rfind(line)) << "said more than once: " << errors;
    }
}
