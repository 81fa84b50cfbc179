// The timeline rig for the logic tests: the timeline over logging stand-ins
// for the five scenes, a scripted music position and clock, and each frame's
// scene calls as a trace ("intro.stop pulse.draw present").
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "demo/Timeline.h"
#include "demo/music/ScriptedPosition.h"
#include "tests/support/RecordingGL.h"

struct SceneCall {
    std::string name;        // "intro.draw", "torus.wobble", "present", ...
    float time = 0.0f;
    int* counter = nullptr;  // draw/stop's frameCounter argument
    int detail = 0;          // a flag the scene saw at that moment
};

inline std::vector<SceneCall>& sceneCalls() {
    static std::vector<SceneCall> calls;
    return calls;
}

inline void logSceneCall(std::string name, float time = 0.0f, int* counter = nullptr,
                         int detail = 0) {
    sceneCalls().push_back({std::move(name), time, counter, detail});
}

// Logs every call the timeline makes on a scene; a draw also records the
// scene's flag of the moment (drawDetail).
struct LoggingScene {
    explicit LoggingScene(std::string name) : name(std::move(name)) {}
    virtual ~LoggingScene() = default;
    void draw(float time, int* frameCounter) {
        logSceneCall(name + ".draw", time, frameCounter, drawDetail());
    }
    void stop(float time, int* frameCounter) { logSceneCall(name + ".stop", time, frameCounter); }
    void setFadeStart(float time) {
        logSceneCall(name + ".fade", time);
        fadeStart = time;
    }
    void log(const char* event, float time = 0.0f) { logSceneCall(name + "." + event, time); }
    virtual int drawDetail() const { return 0; }

    std::string name;
    float fadeStart = 0.0f;
};

struct LoggingIntro : LoggingScene {
    LoggingIntro() : LoggingScene("intro") {}
    int drawDetail() const override { return spinEnabled ? 1 : 0; }
    bool spinEnabled = false;
};

struct LoggingPulsingSphere : LoggingScene {
    LoggingPulsingSphere() : LoggingScene("pulse") {}
    void nudge() { log("nudge"); }
    void startDiscPulse(float time) { log("disc", time); }
    void startFlash(float time) { log("flash", time); }
};

struct LoggingCubeStar : LoggingScene {
    LoggingCubeStar() : LoggingScene("star") {}
    int drawDetail() const override { return cubeStar.overlayStyle; }
    struct {
        int overlayStyle = 0;
    } cubeStar;
};

struct LoggingTorus : LoggingScene {
    LoggingTorus() : LoggingScene("torus") {}
    void enableWobble() { log("wobble"); }
    void enableSpin() { log("spin"); }
    void setOverlayFlag() { log("overlayFlag"); }
};

using LoggingTimeline = BasicTimeline<
    SceneTypes<LoggingIntro, LoggingPulsingSphere, LoggingCubeStar, LoggingTorus, LoggingScene>>;

struct Frame {
    bool result = false;
    std::string trace;  // the scene calls and presents, space separated
    std::vector<SceneCall> calls;

    const SceneCall* find(const std::string& name) const {
        for (const SceneCall& call : calls) {
            if (call.name == name) {
                return &call;
            }
        }
        return nullptr;
    }
    bool has(const std::string& name) const { return find(name) != nullptr; }
    // The call, or a failure and a stand-in that matches no expectation.
    const SceneCall& call(const std::string& name) const {
        static const SceneCall missing{"<missing>", std::nanf(""), nullptr, -1};
        const SceneCall* found = find(name);
        if (found == nullptr) {
            ADD_FAILURE() << name << " not called; the frame was: " << trace;
            return missing;
        }
        return *found;
    }
};

// The timeline's process-wide values and the GL log start from zero in every
// test, also when the whole binary runs in one process; fixtures built on
// this reset them before their own members are made.
class FreshTimeline : public ::testing::Test {
protected:
    FreshTimeline() {
        frameTime = 0.0;
        pulsingSphereFirstFrameDone = 0;
        torusWarmupCount = 0;
        cubeGridWarmupCount = 0;
        musicEnded = false;
        recgl::reset();
    }
};

class TimelineLogic : public FreshTimeline {
protected:
    // As if each scene had already been shown long enough to be presented.
    void warmUp() {
        pulsingSphereFirstFrameDone = 1;
        torusWarmupCount = 2;
        cubeGridWarmupCount = 2;
    }

    Frame run(LoggingTimeline& line) {
        sceneCalls().clear();
        Frame frame;
        frame.result = line.renderFrame();
        frame.calls = sceneCalls();
        for (const SceneCall& call : frame.calls) {
            frame.trace += (frame.trace.empty() ? "" : " ") + call.name;
        }
        return frame;
    }
    Frame frame(unsigned order, unsigned row) {
        music.set(order, row);
        return run(timeline);
    }

    LoggingIntro intro;
    LoggingPulsingSphere pulse;
    LoggingCubeStar star;
    LoggingTorus torus;
    LoggingScene grid{"grid"};
    ScriptedPosition music;
    double now = 1.0822;  // a time whose scaled values depend on the rounding order
    int clockReads = 0;
    int presents = 0;
    LoggingTimeline timeline{intro, pulse, star, torus, grid, music,
                             [this] {
                                 ++clockReads;
                                 return now;
                             },
                             [this] {
                                 ++presents;
                                 logSceneCall("present");
                             }};
};

inline const std::string introShown = "intro.draw present";
inline const std::string pulseShown = "intro.stop pulse.draw present";
inline const std::string starShown = "intro.stop pulse.stop star.draw present";
inline const std::string torusShown = "intro.stop pulse.stop torus.draw present";
inline const std::string overlayShown =
    "intro.stop pulse.stop torus.draw star.draw torus.overlayFlag present";
inline const std::string gridShown = "intro.stop pulse.stop torus.stop grid.draw present";
inline const std::string ended = "intro.stop pulse.stop torus.stop";
inline const std::string nothing = "intro.stop pulse.stop torus.stop grid.stop";
