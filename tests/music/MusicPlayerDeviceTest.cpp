// The music player on a real SDL audio device: the suite's sound server
// (a private PulseAudio under scripts/test; SDL's dummy driver elsewhere), and
// the dummy and disk drivers where a test is about them or about a device
// that is lost. The heard-frame and callback-pace arithmetic on a stepped
// clock, the buffer the device grants, the end, the fade-out at close, no
// device at all, and a device that stalls, outlives its player or loses its
// server.
#include "demo/music/CallbackPace.h"
#include "demo/music/HeardFrame.h"
#include "demo/music/MusicPlayer.h"
#include "demo/music/SdlAudioOutput.h"
#include "shell/CError.h"
#include "tests/fixtures/FixtureData.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

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
        // Outside scripts/test, with no server of its own, a silent driver.
        ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 0), 0);
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

TEST(HeardFrame, MovesFromOneBufferBeforeTheNewestCallbackAndHoldsAQuarterPastIt) {
    struct Case {
        std::uint32_t firstFrame;
        std::int32_t sinceMicros;
        std::uint32_t bufferFrames;
        std::int64_t heard;
    };
    // A clock stepped by hand: what a loaded machine or a stalled driver
    // does to the next callback's time cannot make this flaky.
    const Case cases[] = {
        {8192, 0, 2048, 6144},                // the callback's moment: one buffer back
        {8192, 10000, 2048, 6144 + 441},      // 10 ms on
        {8192, -10000, 2048, 6144 - 441},     // 10 ms before an early callback's moment
        {8192, 46439, 2048, 8191},            // a frame short of the buffer
        {8192, 46440, 2048, 8192},            // the buffer played out
        {8192, 58050, 2048, 8192 + 512},      // a quarter of the next buffer on
        {8192, 400000, 2048, 8192 + 512},     // a late callback: held there, never past
        {8192, 10000, 1024, 7168 + 441},      // the buffer granted is what counts
        {8192, 10000, 4096, 4096 + 441},
        {0, 0, 2048, -2048},                  // before the first frame: not yet heard
        {4294967295u, 0, 2048, 4294965247LL},  // frames past 32 bits stay whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.firstFrame << " since " << c.sinceMicros
                                        << " us, buffer " << c.bufferFrames);
        EXPECT_EQ(heardFrame(c.firstFrame, c.sinceMicros, c.bufferFrames, 44100), c.heard);
    }
}

TEST(CallbackPace, PutsEveryCallbackOnTheLineTheRecentOnesDraw) {
    // Callback i fills 4410 frames (exactly 100 ms at 44100 Hz) from
    // firstFrame + i * 4410 and runs late[i] microseconds after
    // micros + i * 100000; expected: how far the last one is moved back
    // (negative: moved later).
    struct Case {
        const char* name;
        std::uint32_t firstFrame;
        std::uint32_t micros;
        std::vector<std::int64_t> late;
        std::int32_t movedBack;
    };
    const auto then = [](std::vector<std::int64_t> before, std::int64_t last) {
        before.push_back(last);
        return before;
    };
    const std::vector<std::int64_t> onTime(16, 0);
    std::vector<std::int64_t> busy(16, 0);
    std::fill(busy.end() - 4, busy.end(), 3000);
    std::vector<std::int64_t> slow;
    for (std::int64_t i = 0; i <= 16; ++i) slow.push_back(30 * i);
    std::vector<std::int64_t> delayedQuarter(16, 0);
    std::fill(delayedQuarter.end() - 4, delayedQuarter.end(), 50000);
    const Case cases[] = {
        {"on time", 0, 0, then(onTime, 0), 0},
        {"a late wake-up", 0, 0, then(onTime, 7000), 7000},
        {"an early one is put on the clock too", 0, 0, then(onTime, -2000), -2000},
        {"late against most of the window", 0, 0, then(busy, 3000), 2625},
        {"a quarter of the window woken very late leaves the clock", 0, 0, then(delayedQuarter, 0), 0},
        {"a device slower than the machine, followed within half the window", 0, 0, slow, 225},
        {"the first callback, nothing to go by", 0, 0, {9000}, 0},
        {"microseconds wrap", 0, 4294967000u, {0, 0, 7000}, 4666},
        {"frames wrap", 4294963000u, 0, {0, 0, 4000}, 2666},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CallbackPace pace;
        std::uint32_t micros = 0;
        std::uint32_t got = 0;
        for (std::size_t i = 0; i < c.late.size(); ++i) {
            micros = static_cast<std::uint32_t>(c.micros + i * 100000 + c.late[i]);
            got = pace.onTime(static_cast<std::uint32_t>(c.firstFrame + i * 4410), micros, 44100);
        }
        EXPECT_EQ(static_cast<std::int32_t>(micros - got), c.movedBack);
    }

    // A server whose requests alternate early and late by 13 ms: every
    // callback lands on one line, a period apart, whichever kind came last.
    CallbackPace alternating;
    std::vector<std::uint32_t> onClock;
    for (std::uint32_t i = 0; i < 40; ++i) {
        onClock.push_back(alternating.onTime(i * 4410, i * 100000 + (i % 2) * 13000, 44100));
    }
    for (std::size_t i = 32; i < onClock.size(); ++i) {
        EXPECT_EQ(onClock[i] - onClock[i - 1], 100000u) << "callback " << i;
    }

    // Another source starts its frames from 0 again: the past says nothing.
    CallbackPace pace;
    for (std::uint32_t i = 0; i < 16; ++i) pace.onTime(i * 4410, i * 100000, 44100);
    pace.reset();
    EXPECT_EQ(pace.onTime(0, 5007000, 44100), 5007000u);
}

namespace {

// Counts the frames of every render call and the calls.
struct CountingSource : AudioSource {
    void render(float* stereo, std::size_t frames) noexcept override {
        std::fill(stereo, stereo + frames * AudioOutput::channels, 0.0f);
        if (calls.load() < 64) sizes[calls.load()] = frames;
        ++calls;
    }
    std::atomic<int> calls{0};
    std::size_t sizes[64] = {};
};

}  // namespace

TEST_F(MusicPlayerDevice, LatencyIsTheBufferTheDeviceGrantedAndEveryCallbackFillsIt) {
    SdlAudioOutput device;
    CountingSource source;
    device.connect(source);
    const Clock::time_point start = Clock::now();
    while (source.calls.load() < 6 && secondsSince(start) < 5.0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    device.disconnect();
    ASSERT_GE(source.calls.load(), 6);
    EXPECT_GE(device.latencyFrames(), 256u);
    for (int i = 0; i < std::min(source.calls.load(), 64); ++i) {
        EXPECT_EQ(source.sizes[i], device.latencyFrames()) << "callback " << i;
    }
}

TEST_F(MusicPlayerDevice, EndIsReportedOnceAndThePositionStaysPastTheSong) {
    const FixtureModuleShape shape = tinyModuleShape();
    SdlAudioOutput device;
    MusicPlayer player(writeModule(shape), device);
    const auto songFrames = static_cast<std::int64_t>(playedRowSeconds(shape) * shape.orders * shape.rows * 44100);
    player.play();
    // Measured on the device's own clock of frames heard: a sound server that
    // runs dry on a busy machine plays the song late, not shorter.
    std::int64_t songStart = -1;
    std::int64_t heardAtEnd = -1;
    bool sawLastOrder = false;
    const Clock::time_point start = Clock::now();
    while (heardAtEnd < 0 && secondsSince(start) < 30.0) {
        const std::int64_t heard = device.audibleFrame();
        if (musicEnded) heardAtEnd = heard;
        const RowStart row = player.rowAt(heard);
        if (songStart < 0 && row.frame >= 0) songStart = row.frame;
        sawLastOrder = sawLastOrder || row.position.order == static_cast<unsigned>(shape.orders - 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(musicEnded);
    ASSERT_GE(songStart, 0);
    EXPECT_TRUE(sawLastOrder);
    // Heard to its end: not before the song is over, nor long after (the
    // decoder's fade-out and a buffer).
    EXPECT_GE(heardAtEnd - songStart, songFrames);
    EXPECT_LT(heardAtEnd - songStart, songFrames + 44100);
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
    const double buffer = double(device.latencyFrames()) / AudioOutput::sampleRate;
    auto waitUntil = [](const std::function<bool()>& done) {
        const Clock::time_point start = Clock::now();
        while (!done() && secondsSince(start) < 5.0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return done();
    };
    {
        MusicPlayer player(file, device);
        player.play();
        ASSERT_TRUE(waitUntil([&] { return device.audibleFrame() > 0; }));
    }
    // A callback after the module was freed would move the heard frame on
    // (and read freed memory); without one the estimate stops a buffer after
    // the last.
    std::this_thread::sleep_for(std::chrono::duration<double>(buffer + 0.05));
    const std::int64_t heard = device.audibleFrame();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(device.audibleFrame(), heard) << "the device pulled after the player was gone";

    MusicPlayer next(file, device);
    next.play();
    EXPECT_TRUE(waitUntil([&] { return next.order() * shape.rows + next.row() >= 2u; }))
        << "the reconnected device did not play";
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

namespace {

// A PulseAudio server of the test's own (scripts/pulse), so that killing it
// touches no other test; its clients find it through the environment.
class OwnSoundServer {
public:
    OwnSoundServer() : folder(std::filesystem::temp_directory_path() /
                              ("velmora-pulse-" + std::to_string(getpid()))) {
        for (const char* name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value != nullptr ? value : "");
        }
        const std::string command = "bash " VELMORA_SOURCE_DIR "/scripts/pulse start " + folder.string();
        FILE* pipe = popen(command.c_str(), "r");
        char line[1024] = {};
        if (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) {
            std::istringstream words(line);
            for (std::string word; words >> word;) {
                const auto equals = word.find('=');
                if (equals != std::string::npos) setenv(word.substr(0, equals).c_str(), word.substr(equals + 1).c_str(), 1);
            }
        }
        started = pipe != nullptr && pclose(pipe) == 0;
    }
    ~OwnSoundServer() {
        kill();
        for (const auto& [name, value] : saved) {
            if (value.empty()) unsetenv(name.c_str()); else setenv(name.c_str(), value.c_str(), 1);
        }
        std::filesystem::remove_all(folder);
    }
    void kill() { std::system(("bash " VELMORA_SOURCE_DIR "/scripts/pulse stop " + folder.string()).c_str()); }

    bool started = false;

private:
    std::filesystem::path folder;
    std::vector<std::pair<std::string, std::string>> saved;
};

}  // namespace

TEST_F(MusicPlayerDevice, TheDemoPlaysOnSilentlyToTheEndWhenTheDeviceStallsOrIsLost) {
    enum class Fault { PausedBehindItsBack, WriteFails, ServerKilled };
    struct Case {
        const char* name;
        const char* driver;
        Fault fault;
    };
    // SDL's disk driver drops a device whose file cannot be written, as a
    // real driver does an unplugged headset; a sound server that dies takes
    // its clients' streams with it.
    const Case cases[] = {{"silent", "dummy", Fault::PausedBehindItsBack},
                          {"lost", "disk", Fault::WriteFails},
                          {"server killed", "pulseaudio", Fault::ServerKilled}};
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", "/dev/full", 1), 0);
    const FixtureModuleShape shape = tinyModuleShape();
    const std::string file = writeModule(shape);
    const double songSeconds = playedRowSeconds(shape) * shape.orders * shape.rows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        musicEnded = false;
        std::unique_ptr<OwnSoundServer> server;
        if (c.fault == Fault::ServerKilled) {
            server = std::make_unique<OwnSoundServer>();
            ASSERT_TRUE(server->started) << "scripts/pulse could not start a server";
        }
        ASSERT_EQ(setenv("SDL_AUDIODRIVER", c.driver, 1), 0);
        testing::internal::CaptureStderr();
        {
            SdlAudioOutput device;
            MusicPlayer player(file, device);
            player.play();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (c.fault == Fault::PausedBehindItsBack) SDL_PauseAudioDevice(device.deviceId(), 1);
            if (c.fault == Fault::ServerKilled) {
                EXPECT_GT(player.order() * shape.rows + player.row(), 0u) << "it played through the server";
                server->kill();
            }
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

TEST_F(MusicPlayerDevice, ClosingMidSongFadesWhatTheDevicePlaysToSilence) {
    // SDL's disk driver writes what the device plays to a file, paced like
    // a sound card.
    const std::filesystem::path written = dir.path() / "played.raw";
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "disk", 1), 0);
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", written.c_str(), 1), 0);
    const FixtureModuleShape shape = tinyModuleShape();
    const std::string file = writeModule(shape);
    {
        SdlAudioOutput device;
        {
            MusicPlayer player(file, device);
            player.play();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            ASSERT_FALSE(musicEnded) << "closed mid-song";
        }
    }
    std::ifstream in(written, std::ios::binary);
    std::vector<float> played;
    for (float sample; in.read(reinterpret_cast<char*>(&sample), sizeof sample);) played.push_back(sample);
    std::int64_t last = -1;  // the last frame with any sound
    for (std::size_t i = 0; i < played.size(); ++i) {
        if (played[i] != 0.0f) last = static_cast<std::int64_t>(i / 2);
    }
    const std::int64_t ramp = ModuleRenderer::fadeFrames;
    ASSERT_GT(last, 44100 / 4) << "the music played";
    auto loudest = [&](std::int64_t from, std::int64_t to) {
        float peak = 0.0f;
        for (std::int64_t i = std::max<std::int64_t>(from, 0) * 2; i < to * 2; ++i) peak = std::max(peak, std::fabs(played[i]));
        return peak;
    };
    const float playing = loudest(last - ramp - 4410, last - ramp);
    ASSERT_GT(playing, 0.001f) << "music sounded up to the close";
    // The last millisecond before the silence is the tail of a ramp, not
    // the music cut off at full level.
    EXPECT_LT(loudest(last - 44, last + 1), 0.25f * playing);
    EXPECT_GE(static_cast<std::int64_t>(played.size() / 2) - last, 1) << "silence follows";
}
