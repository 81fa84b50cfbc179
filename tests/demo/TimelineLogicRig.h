// The timeline rig for the logic tests: the timeline built against the
// logging stand-in scenes, a scripted music position and clock, and each
// frame's scene calls as a trace ("intro.stop pulse.draw present").
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "demo/Timeline.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"
#include "tests/support/RecordingGL.h"
#include "tests/support/ScriptedMusic.h"

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

// Answers the scripted orders one query at a time (the last one repeats), so
// a frame sees the music move on while it is being built.
class SteppingMusic : public MusicPosition {
public:
    SteppingMusic(std::deque<unsigned> orders, unsigned row) : orders(std::move(orders)), r(row) {}
    unsigned order() override {
        const unsigned value = orders.front();
        if (orders.size() > 1) {
            orders.pop_front();
        }
        return value;
    }
    unsigned row() override { return r; }

private:
    std::deque<unsigned> orders;
    unsigned r;
};

class TimelineLogic : public ::testing::Test {
protected:
    void SetUp() override {
        frameTime = 0.0;
        pulsingSphereFirstFrameDone = 0;
        torusWarmupCount = 0;
        cubeGridWarmupCount = 0;
        musicEnded = false;
        recgl::reset();
    }

    // As if each scene had already been shown long enough to be presented.
    void warmUp() {
        pulsingSphereFirstFrameDone = 1;
        torusWarmupCount = 2;
        cubeGridWarmupCount = 2;
    }

    Frame run(Timeline& line) {
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

    IntroScene intro;
    PulsingSphereScene pulse;
    CubeStarScene star;
    TorusScene torus;
    CubeGridScene grid;
    ScriptedMusic music;
    double now = 1.0822;  // a time whose scaled values depend on the rounding order
    int clockReads = 0;
    int presents = 0;
    Timeline timeline{intro, pulse, star, torus, grid, music,
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
