// Torus scene call sequences, driven through the real timeline with a
// scripted music position and the recording GL: the lazy first frame, the two
// framed insets, the wobble and tumble events, and the fog the stop removes.
#include "tests/scenes/SceneRig.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A 640 × 461 window whose setup leaves the model-view matrix selected.
struct Rig : RecordingSceneRig {
    Rig() : RecordingSceneRig(640, 461) { glMatrixMode(GL_MODELVIEW); }
};

}  // namespace

TEST(TorusSceneRecording, FirstFrameOnlyStartsFogAndBlack) {
    Rig rig;
    rig.frame(14, 0, 3.0);
    EXPECT_TRUE(rig.torus.started);
    EXPECT_FALSE(rig.torus.stopped);
    EXPECT_EQ(rig.frameCalls("glBegin").size(), 0u) << "the first frame draws nothing";
    EXPECT_EQ(rig.frameCalls("glViewport").size(), 0u);
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    const auto& s = recgl::state();
    EXPECT_EQ(s.fogMode, GL_LINEAR);
    EXPECT_FLOAT_EQ(s.fogStart, 2.0f);
    EXPECT_FLOAT_EQ(s.fogEnd, 11.0f);
    EXPECT_FLOAT_EQ(s.fogDensity, 0.01f);
    EXPECT_EQ(s.fogColor, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_EQ(s.clearColor, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_EQ(s.color, (std::array<float, 4>{1, 1, 1, 1}));
    auto hints = rig.frameCalls("glHint");
    ASSERT_EQ(hints.size(), 1u);
    expectArgs(hints[0], {GL_FOG_HINT, GL_FASTEST});
    EXPECT_EQ(rig.presents, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(TorusSceneRecording, FullFrameDrawsTunnelThenBothFramedInsets) {
    Rig rig;
    rig.frame(14, 0, 3.0);
    rig.frame(14, 1, 3.1);

    auto viewports = rig.frameCalls("glViewport");
    ASSERT_EQ(viewports.size(), 4u);
    expectArgs(viewports[0], {40, 40, 120, 120});
    expectArgs(viewports[1], {0, 0, 640, 461});
    expectArgs(viewports[2], {480, 310, 120, 123});
    expectArgs(viewports[3], {0, 0, 640, 461});

    auto orthos = rig.frameCalls("glOrtho");
    ASSERT_EQ(orthos.size(), 2u);
    for (const auto& call : orthos) expectArgs(call, {-320, 320, -240, 240, -1, 10});

    // The two frames are the only quads; left frame first.
    auto quads = rig.framePrimitives(GL_QUADS);
    ASSERT_EQ(quads.size(), 2u);
    const float left[4][2] = {{-280, -200}, {-160, -200}, {-160, -71}, {-280, -71}};
    const float right[4][2] = {{160, 82}, {280, 82}, {280, 211}, {160, 211}};
    for (int v = 0; v < 4; ++v) {
        ASSERT_EQ(quads[0].vertices.size(), 4u);
        ASSERT_EQ(quads[1].vertices.size(), 4u);
        EXPECT_FLOAT_EQ(quads[0].vertices[v].eye[0], left[v][0]);
        EXPECT_FLOAT_EQ(quads[0].vertices[v].eye[1], left[v][1]);
        EXPECT_FLOAT_EQ(quads[1].vertices[v].eye[0], right[v][0]);
        EXPECT_FLOAT_EQ(quads[1].vertices[v].eye[1], right[v][1]);
        EXPECT_EQ(quads[0].vertices[v].color, (std::array<float, 4>{1, 1, 1, 1}));
    }

    // Tunnel: 128 bands twice over. Insets: 16 segment loops, then 32 ring loops.
    EXPECT_EQ(rig.framePrimitives(GL_QUAD_STRIP).size(), 256u);
    auto loops = rig.framePrimitives(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 48u);
    EXPECT_EQ(loops[0].vertices.size(), 62u);
    EXPECT_EQ(loops[15].vertices.size(), 62u);
    EXPECT_EQ(loops[16].vertices.size(), 78u);
    EXPECT_EQ(loops[47].vertices.size(), 78u);

    // What the scene leaves for whatever is drawn over it.
    const auto& s = recgl::state();
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_TRUE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(s.viewport, (std::array<GLint, 4>{0, 0, 640, 461}));
    EXPECT_EQ(s.polygonModeFront, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(s.polygonModeBack, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(s.color, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_EQ(s.matrixMode, static_cast<GLenum>(GL_MODELVIEW));
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.projectionDepth, 1);
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(TorusSceneRecording, AtTimeSixtyTheTorusAndInsetsCarryTheirAngles) {
    Rig rig;
    rig.frame(14, 0, 9.0);
    rig.frame(14, 1, 10.0);  // scene time 60
    EXPECT_FLOAT_EQ(rig.torus.wobbleTorus.rotation.x, 120.0f);
    EXPECT_FLOAT_EQ(rig.torus.wobbleTorus.rotation.y, 90.0f);
    EXPECT_FLOAT_EQ(rig.torus.wobbleTorus.rotation.z, 0.0f);
    EXPECT_FLOAT_EQ(rig.torus.wobbleTorus.position.y, -8.5f);
    EXPECT_FLOAT_EQ(rig.torus.wobbleTorus.position.z, -6.0f);
    EXPECT_FLOAT_EQ(rig.torus.loopTorus.rotation.x, 240.0f);
    EXPECT_FLOAT_EQ(rig.torus.loopTorus.rotation.y, 300.0f);
    EXPECT_FLOAT_EQ(rig.torus.loopTorus.rotation.z, -60.0f);
    EXPECT_FLOAT_EQ(rig.torus.ringTorus.rotation.x, 420.0f);
    EXPECT_FLOAT_EQ(rig.torus.ringTorus.rotation.y, 306.0f);
    EXPECT_FLOAT_EQ(rig.torus.ringTorus.rotation.z, 0.0f);
    EXPECT_FLOAT_EQ(rig.torus.loopTorus.position.z, -30.0f);
    EXPECT_FLOAT_EQ(rig.torus.ringTorus.position.z, -30.0f);
    EXPECT_EQ(rig.torus.loopTorus.style, WireTorus::SegmentLoops);
    EXPECT_EQ(rig.torus.ringTorus.style, WireTorus::RingLoops);
}

TEST(TorusSceneRecording, WobbleStartsAtOrderSixteenAndMovesTheTube) {
    Rig rig;
    const std::vector<float> built = rig.torus.wobbleTorus.vertices;
    rig.frame(14, 0, 1.0);
    rig.frame(15, 0, 1.5);
    EXPECT_FALSE(rig.torus.wobbleEnabled);
    rig.frame(16, 0, 2.0);
    EXPECT_TRUE(rig.torus.wobbleEnabled);
    EXPECT_EQ(rig.torus.wobbleTorus.vertices, built) << "the first wobbling frame keeps the shape";
    rig.frame(16, 1, 2.5);
    EXPECT_NE(rig.torus.wobbleTorus.vertices, built);

    // Only the first call of the run counts.
    rig.torus.wobbleEnabled = false;
    rig.torus.enableWobble();
    EXPECT_FALSE(rig.torus.wobbleEnabled);
    EXPECT_EQ(TorusScene::enableWobbleCalls, 1);
}

TEST(TorusSceneRecording, SkippingOrderSixteenLeavesTheTubeStill) {
    Rig rig;
    const std::vector<float> built = rig.torus.wobbleTorus.vertices;
    rig.frame(14, 0, 1.0);
    rig.frame(15, 0, 1.5);
    rig.frame(17, 0, 2.0);
    rig.frame(18, 0, 3.0);
    rig.frame(19, 0, 4.0);
    EXPECT_FALSE(rig.torus.wobbleEnabled);
    EXPECT_EQ(rig.torus.wobbleTorus.vertices, built);
    EXPECT_EQ(TorusScene::enableWobbleCalls, 0);
}

TEST(TorusSceneRecording, TumbleStartsAtOrderEighteenFromZero) {
    Rig rig;
    rig.frame(14, 0, 1.0);
    rig.frame(17, 0, 2.0);
    EXPECT_FALSE(rig.torus.spinEnabled);
    // Without the tumble the first rotation is the torus roll itself.
    auto rotations = rig.frameCalls("glRotatef");
    ASSERT_GE(rotations.size(), 1u);
    expectArgs(rotations[0], {12.0f * 2.0f, 1, 0, 0});

    rig.frame(18, 0, 3.0);
    EXPECT_TRUE(rig.torus.spinEnabled);
    EXPECT_FLOAT_EQ(TorusScene::spinStartTime, 18.0f);
    rotations = rig.frameCalls("glRotatef");
    ASSERT_GE(rotations.size(), 4u);
    expectArgs(rotations[0], {0, 1, 0, 0});
    expectArgs(rotations[1], {0, 0, 1, 0});
    expectArgs(rotations[2], {0, 0, 0, 1});
    expectArgs(rotations[3], {36, 1, 0, 0});

    rig.frame(19, 0, 3.5);  // scene time 21: three units into the tumble
    rotations = rig.frameCalls("glRotatef");
    ASSERT_GE(rotations.size(), 3u);
    expectArgs(rotations[0], {5.4, 1, 0, 0});
    expectArgs(rotations[1], {9.0, 0, 1, 0});
    expectArgs(rotations[2], {5.7, 0, 0, 1});
    // The tumble really turns the frame the torus is drawn in: its axis cross
    // (drawn before the torus' own transform) no longer points along eye X.
    auto crosses = rig.framePrimitives(GL_LINES);
    ASSERT_FALSE(crosses.empty());
    ASSERT_GE(crosses[0].vertices.size(), 2u);
    EXPECT_LT(crosses[0].vertices[1].eye[0], 0.999f);
    EXPECT_EQ(recgl::state().modelviewDepth, 1);
}

TEST(TorusSceneRecording, SkippingOrderEighteenNeverTumbles) {
    Rig rig;
    rig.frame(14, 0, 1.0);
    rig.frame(17, 0, 2.0);
    rig.frame(19, 0, 3.0);
    rig.frame(20, 0, 4.0);
    EXPECT_FALSE(rig.torus.spinEnabled);
    auto rotations = rig.frameCalls("glRotatef");
    ASSERT_GE(rotations.size(), 1u);
    expectArgs(rotations[0], {48, 1, 0, 0});
    auto crosses = rig.framePrimitives(GL_LINES);
    ASSERT_FALSE(crosses.empty());
    EXPECT_FLOAT_EQ(crosses[0].vertices[1].eye[0], 1.0f);
}

TEST(TorusSceneRecording, StopTurnsFogOffEveryTime) {
    Rig rig;
    rig.frame(14, 0, 1.0);
    rig.frame(14, 1, 1.1);
    ASSERT_TRUE(recgl::isEnabled(GL_FOG));
    rig.frame(40, 0, 2.0);  // only stops run past order 39
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    EXPECT_FALSE(rig.torus.stopped) << "the scene never marks itself stopped";

    // Fog some other scene switched on is turned off again on the next stop.
    glEnable(GL_FOG);
    rig.frame(41, 0, 2.1);
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    int fogOffs = 0;
    for (const auto& call : rig.frameCalls("glDisable"))
        if (call.args.at(0) == GL_FOG) ++fogOffs;
    EXPECT_EQ(fogOffs, 1);

    // Called directly, twice, on a scene that is not showing.
    glEnable(GL_FOG);
    rig.torus.stop(0.0f, nullptr);
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    glEnable(GL_FOG);
    rig.torus.stop(0.0f, nullptr);
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
}

TEST(TorusSceneRecording, OverlayStretchSetsTheFlagOnly) {
    Rig rig;
    rig.frame(14, 0, 1.0);
    EXPECT_FALSE(rig.torus.overlayFlag);
    rig.frame(21, 0, 2.0);
    EXPECT_FALSE(rig.torus.overlayFlag);
    rig.frame(22, 0, 3.0);
    EXPECT_TRUE(rig.torus.overlayFlag);
    EXPECT_TRUE(recgl::misuse().empty());
}
