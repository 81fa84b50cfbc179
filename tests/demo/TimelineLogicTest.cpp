// The timeline's stretches frame by frame against logging stand-ins for the
// scenes: which scene draws or stops, which frames are presented, the
// warm-up counters, both ends, and a music position asked afresh per test.
#include "TimelineLogicRig.h"

#include <GL/gl.h>

namespace {

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
    // `queries`: the music is asked once per comparison, up to the first
    // answer that settles it.
    struct Case {
        unsigned order, row;
        std::string trace;
        bool result;
        int queries;
    };
    const Case cases[] = {
        {0, 0, introShown, false, 2},       {1, 63, introShown, false, 2},
        {3, 63, introShown, false, 2},      {4, 0, pulseShown, false, 7},
        {9, 63, pulseShown, false, 11},     {10, 0, starShown, false, 7},
        {13, 63, starShown, false, 8},      {14, 0, torusShown, false, 11},
        {21, 63, torusShown, false, 11},    {22, 0, overlayShown, false, 11},
        {29, 63, overlayShown, false, 11},  {30, 0, gridShown, false, 11},
        {38, 2, gridShown, false, 12},      {38, 3, ended, true, 11},
        {38, 4, ended, true, 11},           {38, 65535, ended, true, 11},
        {39, 0, gridShown, false, 11},      {39, 63, gridShown, false, 11},
        {40, 0, nothing, false, 9},         {65535, 65535, nothing, false, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("order " + std::to_string(c.order) + " row " + std::to_string(c.row));
        const int queriesBefore = music.queries;
        const Frame f = frame(c.order, c.row);
        EXPECT_EQ(f.trace, c.trace);
        EXPECT_EQ(f.result, c.result);
        EXPECT_EQ(music.queries - queriesBefore, c.queries);
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
    warmUp();
    // The first test still sees order 4; by the next one the music is at 10.
    music.setMovingOrders({4, 10}, 0);
    EXPECT_EQ(run(timeline).trace, starShown);
    // Order 3 at the first test, order 2 by the spin test.
    music.setMovingOrders({3, 2}, 0);
    EXPECT_EQ(run(timeline).trace, introShown);
    EXPECT_TRUE(intro.spinEnabled);
}

}  // namespace
