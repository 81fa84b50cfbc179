// The five scenes on the demo's one timeline, as the scene tests drive them:
// a throw-away data folder as the working directory, then the demo's own
// run of its scenes — on the recording GL, or headless in a real Mesa
// context — with the position, clock and presents under the test's control,
// and per-frame views of the recording GL's log.
#pragma once

#include "demo/InitialGLState.h"
#include "demo/TimelineRun.h"
#include "shell/HeadlessRun.h"
#include "tests/fixtures/FixtureFolder.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

inline TimelineRun& timelineOf(TimelineRun& run) { return run; }
inline TimelineRun& timelineOf(HeadlessRun& run) { return run.run; }

// The fixture folder is entered before the run builds its scenes; the rest
// are the run's own parts under the names the scene tests use.
template <typename Run>
struct SceneRig {
    template <typename... RunArguments>
    SceneRig(const FixtureDataOptions& options, const DataFiller& fill, RunArguments&&... arguments)
        : folder(options, fill), run(std::forward<RunArguments>(arguments)...) {}
    SceneRig(const SceneRig&) = delete;
    SceneRig& operator=(const SceneRig&) = delete;

    // Sets the music position and the clock, then renders one frame.
    bool frame(unsigned order, unsigned row, double seconds) {
        return line.frame(order, row, seconds);
    }

    FixtureFolder folder;
    Run run;
    TimelineRun& line = timelineOf(run);
    IntroScene& intro = line.scenes.introScene;
    PulsingSphereScene& pulsingSphere = line.scenes.pulsingSphereScene;
    CubeStarScene& cubeStar = line.scenes.cubeStarScene;
    TorusScene& torus = line.scenes.torusScene;
    CubeGridScene& cubeGrid = line.scenes.cubeGridScene;
    ScriptedPosition& music = line.script;
    int& presents = line.presents;
    double& now = line.now;
    // Runs on every present, after the count; a rig with a window swaps here.
    std::function<void()>& onPresent = line.onPresent;
};

// With the recording GL: a clean log from the window's state on, and marks
// at the start of the last frame so its calls and primitives can be told
// from everything before.
struct RecordingSceneRig : SceneRig<TimelineRun> {
    explicit RecordingSceneRig(int width = 640, int height = 480) : SceneRig({}, {}) {
        recgl::reset();
        applyInitialGLState();
        applyWindowProjection(width, height);
    }

    bool frame(unsigned order, unsigned row, double seconds) {
        callMark = recgl::calls().size();
        primitiveMark = recgl::primitives().size();
        return SceneRig::frame(order, row, seconds);
    }
    // Calls of one name made during the last frame.
    std::vector<recgl::Call> frameCalls(const std::string& name) const {
        std::vector<recgl::Call> found;
        const auto& all = recgl::calls();
        for (std::size_t i = callMark; i < all.size(); ++i)
            if (all[i].name == name) found.push_back(all[i]);
        return found;
    }
    std::vector<recgl::Primitive> framePrimitives() const {
        const auto& all = recgl::primitives();
        return std::vector<recgl::Primitive>(all.begin() + primitiveMark, all.end());
    }
    std::vector<recgl::Primitive> framePrimitives(GLenum mode) const {
        std::vector<recgl::Primitive> found;
        const auto& all = recgl::primitives();
        for (std::size_t i = primitiveMark; i < all.size(); ++i)
            if (all[i].mode == mode) found.push_back(all[i]);
        return found;
    }

    std::size_t callMark = 0, primitiveMark = 0;
};

// Index in the whole call record of the first call named `name` at or after
// `from` (with exactly `args`, if given), or the record's size.
inline std::size_t findCall(const std::string& name, std::size_t from,
                            const std::vector<double>& args = {}) {
    const auto& all = recgl::calls();
    for (std::size_t i = from; i < all.size(); ++i)
        if (all[i].name == name && (args.empty() || all[i].args == args)) return i;
    return all.size();
}

// The call's leading arguments, each within 1e-4.
inline void expectArgs(const recgl::Call& call, std::vector<double> expected) {
    ASSERT_GE(call.args.size(), expected.size()) << call.name;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(call.args[i], expected[i], 1e-4) << call.name << " argument " << i;
}

using Rgba = std::array<std::uint8_t, 4>;

// In a real Mesa context of the window's size, made after the scenes.
struct PictureSceneRig : SceneRig<HeadlessRun> {
    explicit PictureSceneRig(int width = 640, int height = 480, const DataFiller& fill = {})
        : SceneRig({}, fill, sized(width, height)),
          viewWidth(width),
          viewHeight(height) {}

    // Draws one frame and reads it back; the frame is never swapped, so the
    // back buffer still holds it.
    void frame(unsigned order, unsigned row, double seconds) {
        SceneRig::frame(order, row, seconds);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << order << "/" << row;
        readBack();
    }
    void readBack() { pixels = context.readPixels(0, 0, viewWidth, viewHeight); }
    Rgba at(int x, int y) const {
        const std::uint8_t* p = &pixels[(std::size_t(y) * viewWidth + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    template <typename Test>
    int count(Test test) const {
        int n = 0;
        for (int y = 0; y < viewHeight; ++y)
            for (int x = 0; x < viewWidth; ++x) n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    int whitePixels() const {
        return count([](const Rgba& p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; });
    }

    static HeadlessRun::Options sized(int width, int height) {
        HeadlessRun::Options options;
        options.width = width;
        options.height = height;
        return options;
    }

    const int viewWidth, viewHeight;
    HeadlessContext& context = run.context();
    std::vector<std::uint8_t> pixels;
};
