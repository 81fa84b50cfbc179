// The timeline driving the five real scenes on the recording GL, as the demo
// runs it: the scenes' event state at each point of the song, balanced GL
// stacks after every frame, which frames reach the screen, and the end.
#include "TimelineLogicRig.h"
#include "tests/scenes/SceneRig.h"

namespace {

class TimelineWithScenes : public FreshTimeline {
protected:
    // One frame at 60 frames a second; checks the frame left no stack or
    // primitive open and nothing the real GL would reject.
    bool frame(unsigned order, unsigned row) {
        const bool over = rig.frame(order, row, rig.now + 1.0 / 60.0);
        ++frames;
        const recgl::State& state = recgl::state();
        EXPECT_EQ(state.modelviewDepth, 1) << "order " << order << " row " << row;
        EXPECT_EQ(state.projectionDepth, 1) << "order " << order << " row " << row;
        EXPECT_EQ(state.attribDepth, 0) << "order " << order << " row " << row;
        EXPECT_FALSE(state.insideBeginEnd);
        EXPECT_TRUE(recgl::misuse().empty())
            << "order " << order << " row " << row << ": " << recgl::misuse().front();
        return over;
    }

    RecordingSceneRig rig;
    IntroScene& introScene = rig.intro;
    PulsingSphereScene& pulsingSphereScene = rig.pulsingSphere;
    CubeStarScene& cubeStarScene = rig.cubeStar;
    TorusScene& torusScene = rig.torus;
    CubeGridScene& cubeGridScene = rig.cubeGrid;
    const double& now = rig.now;
    const int& presents = rig.presents;
    int frames = 0;
};

TEST_F(TimelineWithScenes, WholeSongDrivesEveryScenesEventsAndEndsAtOrderThirtyEightRowThree) {
    for (unsigned order = 0; order <= 1; ++order) {
        EXPECT_FALSE(frame(order, 63));
    }
    EXPECT_FALSE(introScene.spinEnabled);
    EXPECT_FALSE(frame(2, 0));
    EXPECT_TRUE(introScene.spinEnabled);
    EXPECT_FALSE(frame(3, 63));
    EXPECT_EQ(introScene.stopCount, 0);

    EXPECT_FALSE(frame(4, 0));
    EXPECT_EQ(introScene.stopCount, 1);
    EXPECT_TRUE(pulsingSphereScene.started);
    EXPECT_FALSE(frame(6, 11));
    EXPECT_FALSE(frame(6, 12));
    EXPECT_EQ(pulsingSphereScene.fadeStart, static_cast<float>(now * 5.0));
    EXPECT_EQ(pulsingSphereScene.discPulseStart, static_cast<float>(now * 5.0));
    EXPECT_EQ(pulsingSphereScene.nudgePending, 0) << "the draw consumed the nudge";
    const float beat = pulsingSphereScene.fadeStart;
    EXPECT_FALSE(frame(9, 53));
    EXPECT_EQ(pulsingSphereScene.fadeStart, beat);

    EXPECT_FALSE(frame(10, 0));
    EXPECT_TRUE(pulsingSphereScene.stopped);
    EXPECT_TRUE(cubeStarScene.started);
    EXPECT_FALSE(frame(12, 0));
    EXPECT_EQ(cubeStarScene.fadeStart, static_cast<float>(now));
    EXPECT_FALSE(frame(13, 63));

    for (unsigned order = 14; order <= 21; ++order) {
        EXPECT_FALSE(frame(order, 0));
    }
    EXPECT_TRUE(torusScene.wobbleEnabled);
    EXPECT_TRUE(torusScene.spinEnabled);
    EXPECT_FALSE(torusScene.overlayFlag);
    EXPECT_EQ(cubeStarScene.cubeStar.overlayStyle, 0);
    EXPECT_EQ(torusWarmupCount, 2);

    EXPECT_FALSE(frame(22, 0));
    EXPECT_EQ(cubeStarScene.cubeStar.overlayStyle, 1);
    EXPECT_TRUE(torusScene.overlayFlag);
    EXPECT_FALSE(frame(23, 1));
    EXPECT_EQ(torusScene.fadeStart, static_cast<float>(now * 6.0));
    EXPECT_FALSE(frame(29, 63));
    EXPECT_EQ(torusWarmupCount, 2);

    EXPECT_FALSE(frame(30, 0));
    EXPECT_TRUE(cubeGridScene.started);
    EXPECT_FALSE(frame(30, 1));
    EXPECT_FALSE(frame(37, 0));
    EXPECT_EQ(cubeGridScene.fadeStart, static_cast<float>(now));
    EXPECT_EQ(cubeGridWarmupCount, 2);
    EXPECT_FALSE(frame(38, 2));

    // Hidden: the pulsing sphere's first frame and two each of torus and grid.
    EXPECT_EQ(presents, frames - 5);
    const std::size_t primitives = recgl::primitives().size();
    EXPECT_TRUE(frame(38, 3));
    EXPECT_EQ(recgl::primitives().size(), primitives) << "the last frame draws nothing";
    EXPECT_EQ(presents, frames - 6);
}

TEST_F(TimelineWithScenes, TorusMotionsStayOffWhenTheMusicSkipsTheirOrders) {
    for (unsigned order : {14u, 15u, 17u, 19u, 20u, 21u}) {
        frame(order, 0);
    }
    EXPECT_FALSE(torusScene.wobbleEnabled);
    EXPECT_FALSE(torusScene.spinEnabled);
}

TEST_F(TimelineWithScenes, OverlayNeverWritesThroughTheWarmupCounterItIsGiven) {
    for (int warm = 0; warm < 4; ++warm) {
        frame(22, 0);
        EXPECT_EQ(torusWarmupCount, warm < 2 ? warm + 1 : 2);
    }
    EXPECT_EQ(presents, 2);
}

TEST_F(TimelineWithScenes, PastTheSongNothingIsDrawnAndTheEndFlagEndsTheDemo) {
    frame(0, 0);
    const std::size_t primitives = recgl::primitives().size();
    const int shown = presents;
    musicEnded = false;
    EXPECT_FALSE(frame(65535, 65535));
    musicEnded = true;
    EXPECT_TRUE(frame(65535, 65535));
    EXPECT_EQ(recgl::primitives().size(), primitives);
    EXPECT_EQ(presents, shown);
    musicEnded = false;
}

}  // namespace
