// The demo object with a real window and Mesa context: its construction
// order (first frame before the clock starts, the clock before the music),
// the initial GL state, the timer failure, and a whole run on a fixed-step
// clock with offline music that ends by itself at order 38 row 3.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <memory>
#include <string>

#include "demo/Demo.h"
#include "demo/music/NullAudioOutput.h"
#include "demo/music/OfflineAudioOutput.h"
#include "shell/CError.h"
#include "tests/fixtures/FixtureData.h"

namespace {

class InFixtureDirectory {
public:
    explicit InFixtureDirectory(const FixtureDataOptions& options = {})
        : data(options), previous(std::filesystem::current_path()) {
        std::filesystem::current_path(data.path());
    }
    ~InFixtureDirectory() { std::filesystem::current_path(previous); }

private:
    FixtureDataDir data;
    std::filesystem::path previous;
};

DemoSeams seams(std::unique_ptr<ClockSource> clock,
                std::unique_ptr<AudioOutput> audio = std::make_unique<NullAudioOutput>()) {
    DemoSeams result;
    result.clockSource = std::move(clock);
    result.audioOutput = std::move(audio);
    return result;
}

const char* const title = "Orvak 2002 - Velmora";

TEST(DemoObject, FirstFrameRunsBeforeTheClockStartsAndReadsTimeZero) {
    InFixtureDirectory directory;
    auto source = std::make_unique<ScriptedClockSource>();
    ScriptedClockSource& clock = *source;
    clock.frequency = 1000;
    clock.counter = 5000;
    frameTime = -1.0;
    Demo demo(title, 640, 480, 32, false, windowProc,
              seams(std::move(source)));

    ASSERT_NE(demo.window, nullptr);
    ASSERT_NE(demo.glContext, nullptr);
    EXPECT_EQ(frameTime, 0.0) << "the window's first frame went through the timeline";
    EXPECT_TRUE(demo.introScene.started) << "with the music not yet playing it is the intro";
    EXPECT_EQ(clock.counterReadings, 1) << "only the start reading, taken after the window";
    EXPECT_EQ(demo.timerFrequency, 1000);
    EXPECT_EQ(demo.timerStart, 5000);
    EXPECT_TRUE(demo.usePerformanceCounter);

    clock.counter = 5500;
    EXPECT_DOUBLE_EQ(demo.clock(), 0.5);
    EXPECT_EQ(demo.timerNow, 5500);
    EXPECT_FALSE(demo.renderFrame());
    EXPECT_DOUBLE_EQ(frameTime, 0.5);
}

TEST(DemoObject, InitialGLStateIsSmoothShadedDepthTestedWithNicestPerspective) {
    InFixtureDirectory directory;
    Demo demo(title, 640, 480, 32, false, windowProc,
              seams(std::make_unique<FixedStepClockSource>(60)));
    ASSERT_NE(demo.glContext, nullptr);
    demo.initGL();
    GLint shadeModel = 0;
    GLint hint = 0;
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &hint);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(shadeModel, GL_SMOOTH);
    EXPECT_EQ(hint, GL_NICEST);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FLOAT_EQ(clear[0], 1.0f);
    EXPECT_FLOAT_EQ(clear[1], 1.0f);
    EXPECT_FLOAT_EQ(clear[2], 1.0f);
    EXPECT_FLOAT_EQ(clear[3], 0.0f);
}

TEST(DemoObject, TimerOfFrequencyZeroFailsAfterTheWindowsFirstFrame) {
    InFixtureDirectory directory;
    auto source = std::make_unique<ScriptedClockSource>();
    source->frequency = 0;
    const float introFramesBefore = IntroScene::frameCount;
    try {
        Demo demo(title, 640, 480, 32, false, windowProc,
                  seams(std::move(source)));
        FAIL() << "no error";
    } catch (const CError& error) {
        EXPECT_EQ(error.message(), "Error initializing timer");
    }
    EXPECT_EQ(IntroScene::frameCount, introFramesBefore + 1.0f) << "the window existed";
}

TEST(DemoObject, FixedStepClockWithOfflineMusicRunsToOrderThirtyEightRowThree) {
    InFixtureDirectory directory;
    // Ten frames a second of clock, and as much music rendered per frame.
    constexpr int framesPerSecond = 10;
    auto output = std::make_unique<OfflineAudioOutput>();
    OfflineAudioOutput& music = *output;
    Demo demo(title, 640, 480, 32, false, windowProc,
              seams(std::make_unique<FixedStepClockSource>(framesPerSecond), std::move(output)));
    const double endSeconds = (38 * 64 + 3) * rowSeconds(fastModuleShape());
    int frames = 0;
    bool over = false;
    while (!over && frames < 1000) {
        music.render(nullptr, AudioOutput::sampleRate / framesPerSecond);
        over = demo.renderFrame();
        ++frames;
    }
    ASSERT_TRUE(over);
    EXPECT_EQ(demo.musicPlayer.order(), 38u);
    EXPECT_GE(demo.musicPlayer.row(), 3u);
    EXPECT_LT(demo.musicPlayer.row(), 3u + 11u) << "ended on the first frame past row 2";
    EXPECT_NEAR(frameTime, endSeconds, 0.1 + 1e-9);
    EXPECT_EQ(torusWarmupCount, 2);
    EXPECT_EQ(cubeGridWarmupCount, 2);
    EXPECT_EQ(demo.cubeStarScene.cubeStar.overlayStyle, 1);
    EXPECT_TRUE(demo.torusScene.wobbleEnabled);
    EXPECT_TRUE(demo.torusScene.spinEnabled);
    EXPECT_FALSE(musicEnded.load()) << "the module plays on past the demo's end";
}

TEST(DemoObject, ShortModuleEndsTheDemoOnceItsEndHasBeenPlayedOut) {
    FixtureDataOptions shortModule;
    shortModule.moduleShape = shortModuleShape();
    InFixtureDirectory directory(shortModule);
    constexpr int framesPerSecond = 10;
    auto output = std::make_unique<OfflineAudioOutput>();
    OfflineAudioOutput& music = *output;
    Demo demo(title, 640, 480, 32, false, windowProc,
              seams(std::make_unique<FixedStepClockSource>(framesPerSecond), std::move(output)));
    const double moduleSeconds = 5 * 64 * rowSeconds(shortModuleShape());
    int frames = 0;
    bool over = false;
    while (!over && frames < 200) {
        music.render(nullptr, AudioOutput::sampleRate / framesPerSecond);
        over = demo.renderFrame();
        ++frames;
    }
    ASSERT_TRUE(over);
    EXPECT_TRUE(musicEnded.load());
    EXPECT_EQ(demo.musicPlayer.order(), 65535u);
    EXPECT_GE(frameTime, moduleSeconds - 0.1);
    EXPECT_LT(frameTime, moduleSeconds + 1.0);
}

}  // namespace
