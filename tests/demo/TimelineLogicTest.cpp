// The timeline's decisions, frame by frame, against logging stand-ins for the
// scenes: which scene draws or stops, which events fire with which time,
// which frames are presented, the warm-up counters, and both ends.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "demo/Timeline.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"
#include "tests/support/RecordingGL.h"
#include "tests/support/ScriptedMusic.h"

namespace {

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

const std::string introShown = "intro.draw present";
const std::string pulseShown = "intro.stop pulse.draw present";
const std::string starShown = "intro.stop pulse.stop star.draw present";
const std::string torusShown = "intro.stop pulse.stop torus.draw present";
const std::string overlayShown =
    "intro.stop pulse.stop torus.draw star.draw torus.overlayFlag present";
const std::string gridShown = "intro.stop pulse.stop torus.stop grid.draw present";
const std::string ended = "intro.stop pulse.stop torus.stop";
const std::string nothing = "intro.stop pulse.stop torus.stop grid.stop";

TEST_F(TimelineLogic, FrameStartsClearedWithIdentityModelviewAndOneClockReading) {
    frame(0, 0);
    const std::vector<recgl::Call>& calls = recgl::calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].name, "glClear");
    EXPECT_EQ(calls[0].args.at(0), GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(calls[1].name, "glMatrixMode");
    EXPECT_EQ(calls[1].args.at(0), GL_MODELVIEW);
    EXPECT_EQ(calls[2].name, "glLoadIdentity");
    EXPECT_EQ(clockReads, 1);
    EXPECT_EQ(frameTime, now);
}

TEST_F(TimelineLogic, EachStretchDrawsItsSceneAndStopsTheOthersAtItsBoundaries) {
    warmUp();
    struct Case {
        unsigned order, row;
        std::string trace;
        bool result;
    };
    const Case cases[] = {
        {0, 0, introShown, false},     {1, 63, introShown, false},
        {3, 63, introShown, false},         {4, 0, pulseShown, false},
        {9, 63, pulseShown, false},    {10, 0, starShown, false},
        {13, 63, starShown, false},    {14, 0, torusShown, false},
        {21, 63, torusShown, false},   {22, 0, overlayShown, false},
        {29, 63, overlayShown, false}, {30, 0, gridShown, false},
        {38, 2, gridShown, false},     {38, 3, ended, true},
        {38, 4, ended, true},          {38, 65535, ended, true},
        {39, 0, gridShown, false},     {39, 63, gridShown, false},
        {40, 0, nothing, false},       {65535, 65535, nothing, false},
    };
    for (const Case& c : cases) {
        const Frame f = frame(c.order, c.row);
        EXPECT_EQ(f.trace, c.trace) << "order " << c.order << " row " << c.row;
        EXPECT_EQ(f.result, c.result) << "order " << c.order << " row " << c.row;
    }
}

TEST_F(TimelineLogic, StopsTakeZeroAndNullAndOnlyTheOverlayPassesACounter) {
    for (unsigned order = 0; order <= 41; ++order) {
        for (unsigned row : {0u, 1u, 12u, 61u}) {
            for (const SceneCall& call : frame(order, row).calls) {
                const bool isStop = call.name.size() > 5 &&
                                    call.name.compare(call.name.size() - 5, 5, ".stop") == 0;
                if (isStop) {
                    EXPECT_EQ(call.time, 0.0f) << call.name << " at order " << order;
                }
                if (call.name == "star.draw" && order >= 22) {
                    EXPECT_EQ(call.counter, &torusWarmupCount);
                } else {
                    EXPECT_EQ(call.counter, nullptr) << call.name << " at order " << order;
                }
                EXPECT_NE(call.name, "star.stop");
            }
        }
    }
}

TEST_F(TimelineLogic, EachSceneGetsItsOwnTimeScaleConvertedAfterTheDoubleMultiply) {
    warmUp();
    // Narrowing before multiplying gives different floats for this clock.
    ASSERT_NE(static_cast<float>(now * 5.0), static_cast<float>(now) * 5.0f);
    ASSERT_NE(static_cast<float>(now * 6.0), static_cast<float>(now) * 6.0f);
    ASSERT_NE(static_cast<float>(now * 20.0), static_cast<float>(now) * 20.0f);
    const float t1 = static_cast<float>(now);

    EXPECT_EQ(frame(0, 0).call("intro.draw").time, t1);
    EXPECT_EQ(frame(6, 12).call("pulse.draw").time, static_cast<float>(now * 5.0));
    EXPECT_EQ(frame(11, 0).call("star.draw").time, t1);
    EXPECT_EQ(frame(14, 0).call("torus.draw").time, static_cast<float>(now * 6.0));
    const Frame overlay = frame(25, 0);
    EXPECT_EQ(overlay.call("torus.draw").time, static_cast<float>(now * 6.0));
    EXPECT_EQ(overlay.call("star.draw").time, static_cast<float>(now * 20.0));
    EXPECT_EQ(frame(31, 0).call("grid.draw").time, t1);
}

TEST_F(TimelineLogic, IntroSpinIsSwitchedOnFromOrderTwoBeforeTheDraw) {
    EXPECT_EQ(frame(1, 63).call("intro.draw").detail, 0);
    EXPECT_FALSE(intro.spinEnabled);
    EXPECT_EQ(frame(2, 0).call("intro.draw").detail, 1);
    intro.spinEnabled = false;
    EXPECT_EQ(frame(2, 40).call("intro.draw").detail, 1) << "set again on every frame of order 2";
    EXPECT_EQ(frame(3, 0).call("intro.draw").detail, 1) << "never cleared";
}

TEST_F(TimelineLogic, IntroSpinStaysOffWhenTheMusicSkipsOrderTwo) {
    for (unsigned order : {0u, 1u, 3u}) {
        frame(order, 0);
    }
    EXPECT_FALSE(intro.spinEnabled);
}

TEST_F(TimelineLogic, PulsingSphereBeatsFireOnTheirRowsOfOrdersSixToNine) {
    warmUp();
    const float t5 = static_cast<float>(now * 5.0);
    for (unsigned order = 5; order <= 10; ++order) {
        for (unsigned row : {11u, 12u, 13u, 19u, 20u, 21u, 44u, 45u, 46u, 51u, 52u, 53u}) {
            const Frame f = frame(order, row);
            const bool beat = order >= 6 && order <= 9 &&
                              (row == 12 || row == 20 || row == 45 || row == 52);
            if (beat) {
                EXPECT_EQ(f.trace,
                          "intro.stop pulse.nudge pulse.disc pulse.flash pulse.draw present")
                    << "order " << order << " row " << row;
                EXPECT_EQ(f.call("pulse.disc").time, t5);
                EXPECT_EQ(f.call("pulse.flash").time, t5);
            } else {
                EXPECT_FALSE(f.has("pulse.nudge") || f.has("pulse.disc") || f.has("pulse.flash"))
                    << "order " << order << " row " << row;
            }
        }
    }
}

TEST_F(TimelineLogic, CubeStarFadeIsRenewedOnEveryFrameOfItsTwoRows) {
    warmUp();
    for (unsigned order = 10; order <= 14; ++order) {
        for (unsigned row : {0u, 1u, 60u, 61u, 62u, 63u}) {
            const bool event = (order == 12 && row == 0) || (order == 13 && row == 61);
            EXPECT_EQ(frame(order, row).has("star.fade"), event)
                << "order " << order << " row " << row;
        }
    }
    for (double t : {20.0, 20.016, 20.033}) {
        now = t;
        const Frame f = frame(12, 0);
        EXPECT_EQ(f.trace, "intro.stop pulse.stop star.fade star.draw present");
        EXPECT_EQ(f.call("star.fade").time, static_cast<float>(t));
    }
    now = 20.05;
    frame(12, 1);
    EXPECT_EQ(star.fadeStart, static_cast<float>(20.033)) << "the last frame of the row counts";
}

TEST_F(TimelineLogic, TorusEventsFireOnTheirOrdersAndTheOverlayFollowsTheTorus) {
    warmUp();
    for (unsigned order = 13; order <= 30; ++order) {
        for (unsigned row : {0u, 1u, 2u}) {
            const Frame f = frame(order, row);
            const std::string where = "order " + std::to_string(order) + " row " + std::to_string(row);
            EXPECT_EQ(f.has("torus.wobble"), order == 16) << where;
            EXPECT_EQ(f.has("torus.spin"), order == 18) << where;
            EXPECT_EQ(f.has("torus.fade"), order == 23 && row == 1) << where;
            EXPECT_EQ(f.has("torus.overlayFlag"), order >= 22 && order <= 29) << where;
        }
    }
    EXPECT_EQ(frame(16, 5).trace, "intro.stop pulse.stop torus.wobble torus.draw present");
    EXPECT_EQ(frame(18, 5).trace, "intro.stop pulse.stop torus.spin torus.draw present");
    const Frame fade = frame(23, 1);
    EXPECT_EQ(fade.trace, "intro.stop pulse.stop torus.fade torus.draw star.draw "
                          "torus.overlayFlag present");
    EXPECT_EQ(fade.call("torus.fade").time, static_cast<float>(now * 6.0));
}

TEST_F(TimelineLogic, TorusSwitchesAreNeverCalledWhenTheMusicSkipsTheirOrders) {
    warmUp();
    for (unsigned order : {14u, 15u, 17u, 19u, 20u}) {
        const Frame f = frame(order, 0);
        EXPECT_FALSE(f.has("torus.wobble") || f.has("torus.spin")) << "order " << order;
    }
}

TEST_F(TimelineLogic, OverlayDrawsTheStarInOverlayStyleWithTheTorusCounterUntouched) {
    warmUp();
    EXPECT_EQ(star.cubeStar.overlayStyle, 0);
    frame(21, 63);
    EXPECT_EQ(star.cubeStar.overlayStyle, 0) << "not before order 22";
    const Frame f = frame(22, 0);
    const SceneCall* draw = f.find("star.draw");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->detail, 1) << "style set before the draw";
    EXPECT_EQ(draw->counter, &torusWarmupCount);
    EXPECT_EQ(torusWarmupCount, 2);
    star.cubeStar.overlayStyle = 0;
    EXPECT_EQ(frame(29, 63).call("star.draw").detail, 1) << "set again on every frame";
}

TEST_F(TimelineLogic, FirstFrameOfThePulsingSphereIsDrawnNotPresentedAndRunsTheLaterStops) {
    frame(3, 63);
    ASSERT_EQ(presents, 1);
    const Frame first = frame(4, 0);
    EXPECT_EQ(first.trace, "intro.stop pulse.draw torus.stop grid.stop");
    EXPECT_FALSE(first.result);
    EXPECT_EQ(pulsingSphereFirstFrameDone, 1);
    EXPECT_EQ(presents, 1);
    EXPECT_EQ(frame(4, 0).trace, pulseShown);
    EXPECT_EQ(presents, 2);
}

TEST_F(TimelineLogic, HiddenFirstPulsingSphereFrameReturnsTheEndFlag) {
    musicEnded = true;
    EXPECT_TRUE(frame(4, 0).result);
    EXPECT_FALSE(frame(4, 1).result) << "presented frames never end the demo";
}

TEST_F(TimelineLogic, TorusAndCubeGridHideTheirFirstTwoFramesAndTheCountersNeverReset) {
    pulsingSphereFirstFrameDone = 1;
    const std::string torusHidden = "intro.stop pulse.stop torus.draw grid.stop";
    EXPECT_EQ(frame(14, 0).trace, torusHidden);
    EXPECT_EQ(torusWarmupCount, 1);
    EXPECT_EQ(frame(14, 0).trace, torusHidden);
    EXPECT_EQ(torusWarmupCount, 2);
    EXPECT_EQ(frame(14, 1).trace, torusShown);
    EXPECT_EQ(torusWarmupCount, 2);

    const std::string gridHidden = "intro.stop pulse.stop torus.stop grid.draw";
    EXPECT_EQ(frame(30, 0).trace, gridHidden);
    EXPECT_EQ(frame(30, 0).trace, gridHidden);
    EXPECT_EQ(cubeGridWarmupCount, 2);
    EXPECT_EQ(frame(30, 1).trace, gridShown);

    // Coming back to a stretch shows it at once.
    EXPECT_EQ(frame(15, 0).trace, torusShown);
    EXPECT_EQ(frame(4, 0).trace, pulseShown);
    EXPECT_EQ(frame(31, 0).trace, gridShown);
}

TEST_F(TimelineLogic, WarmupFramesReturnTheEndFlag) {
    pulsingSphereFirstFrameDone = 1;
    musicEnded = true;
    EXPECT_TRUE(frame(14, 0).result);
    EXPECT_TRUE(frame(30, 0).result);
    EXPECT_EQ(presents, 0);
}

TEST_F(TimelineLogic, OverlayDuringTheTorusWarmupIsHiddenToo) {
    pulsingSphereFirstFrameDone = 1;
    const Frame f = frame(22, 0);
    EXPECT_EQ(f.trace, "intro.stop pulse.stop torus.draw star.draw torus.overlayFlag grid.stop");
    EXPECT_EQ(torusWarmupCount, 1);
}

TEST_F(TimelineLogic, CubeGridFadeAtOrderThirtySevenRowZeroAndTheEndFromOrderThirtyEightRowThree) {
    warmUp();
    for (unsigned order = 36; order <= 38; ++order) {
        for (unsigned row : {0u, 1u}) {
            EXPECT_EQ(frame(order, row).has("grid.fade"), order == 37 && row == 0)
                << "order " << order << " row " << row;
        }
    }
    const Frame fade = frame(37, 0);
    EXPECT_EQ(fade.trace, "intro.stop pulse.stop torus.stop grid.fade grid.draw present");
    EXPECT_EQ(fade.call("grid.fade").time, static_cast<float>(now));

    const int shown = presents;
    EXPECT_FALSE(frame(38, 2).result);
    EXPECT_EQ(presents, shown + 1);
    const Frame end = frame(38, 3);
    EXPECT_TRUE(end.result);
    EXPECT_FALSE(end.has("grid.draw"));
    EXPECT_EQ(presents, shown + 1);
}

TEST_F(TimelineLogic, EndsAtOrderThirtyEightEvenDuringTheCubeGridWarmup) {
    pulsingSphereFirstFrameDone = 1;
    EXPECT_TRUE(frame(38, 3).result);
    EXPECT_EQ(cubeGridWarmupCount, 0);
}

TEST_F(TimelineLogic, PastOrderThirtyNineTheEndFlagDecidesAndNothingIsPresented) {
    warmUp();
    EXPECT_FALSE(frame(39, 63).result);
    const int shown = presents;
    for (unsigned order : {40u, 41u, 1000u, 65535u}) {
        const Frame f = frame(order, 0);
        EXPECT_EQ(f.trace, nothing);
        EXPECT_FALSE(f.result) << "order " << order;
    }
    musicEnded = true;
    const Frame f = frame(65535, 65535);
    EXPECT_EQ(f.trace, nothing);
    EXPECT_TRUE(f.result);
    EXPECT_EQ(presents, shown);
}

TEST_F(TimelineLogic, ShortModuleEndsOnTheFirstFrameAfterItsEndCallback) {
    // Five orders, then the player reports the position past the song.
    int frames = 0;
    for (unsigned order = 0; order < 5; ++order) {
        for (unsigned row = 0; row < 64; row += 21) {
            EXPECT_FALSE(frame(order, row).result);
            ++frames;
        }
    }
    EXPECT_EQ(presents, frames - 1) << "all but the pulsing sphere's first frame";
    EXPECT_FALSE(frame(65535, 65535).result) << "played out, callback not fired yet";
    musicEnded = true;
    EXPECT_TRUE(frame(65535, 65535).result);
    EXPECT_EQ(presents, frames - 1);
}

TEST_F(TimelineLogic, MusicIsAskedAgainForEveryTest) {
    IntroScene i;
    PulsingSphereScene p;
    CubeStarScene s;
    TorusScene t;
    CubeGridScene g;
    auto run = [&](std::deque<unsigned> orders) {
        SteppingMusic moving(std::move(orders), 0);
        Timeline line(i, p, s, t, g, moving, [] { return 1.0; },
                      [] { logSceneCall("present"); });
        return this->run(line);
    };
    warmUp();
    // The first test still sees order 4; by the next one the music is at 10.
    EXPECT_EQ(run({4, 10}).trace, starShown);
    // Order 3 at the first test, order 2 by the spin test.
    EXPECT_EQ(run({3, 2}).trace, introShown);
    EXPECT_TRUE(i.spinEnabled);
}

}  // namespace
