// Pulsing sphere scene call sequences, driven through the real timeline by a
// scripted music position with the recording GL: the beat events of orders 6
// to 9 (nudge, disc pulse, flash and spin kick), the disc band, and the fog
// set up by start and removed once by stop.
#include "tests/scenes/SceneRig.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PulsingRig : RecordingSceneRig {
    // The full-screen white quad of a flash frame, if one was drawn.
    std::vector<recgl::Primitive> flashQuads() const { return framePrimitives(GL_QUADS); }
};

}  // namespace

TEST(PulsingSphereSceneRecording, StartSetsBlackLinearFogAndTheSphereHome) {
    PulsingRig rig;
    rig.frame(4, 0, 8.0);
    EXPECT_TRUE(rig.pulsingSphere.started);
    const auto& s = recgl::state();
    EXPECT_EQ(s.fogMode, GL_LINEAR);
    EXPECT_EQ(s.fogColor, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_FLOAT_EQ(s.fogDensity, 0.01f);
    EXPECT_FLOAT_EQ(s.fogStart, 12.0f);
    EXPECT_FLOAT_EQ(s.fogEnd, 15.0f);
    EXPECT_EQ(recgl::hint(GL_FOG_HINT), static_cast<GLenum>(GL_FASTEST));
    EXPECT_EQ(s.frontFace, static_cast<GLenum>(GL_CCW));
    EXPECT_EQ(rig.pulsingSphere.sphereHome.z, -15.0f);
    EXPECT_EQ(rig.pulsingSphere.sphereHome.w, 1.0f);

    // What a frame leaves behind: the discs switched fog off, depth testing
    // is back on, and every stack is balanced.
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    EXPECT_FALSE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_TRUE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(s.projectionDepth, 1);
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_EQ(s.matrixMode, static_cast<GLenum>(GL_MODELVIEW));
    EXPECT_TRUE(recgl::misuse().empty());

    // The sphere is drawn in fog, the band under the overlay projection.
    const auto fans = rig.framePrimitives(GL_TRIANGLE_FAN);
    EXPECT_EQ(fans.size(), 12u);
    const auto lines = rig.framePrimitives(GL_LINES);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].vertices.size(), 4u);
    EXPECT_EQ(lines[0].vertices[0].object[1], -116.0f);
    EXPECT_EQ(lines[0].vertices[3].object[1], -184.0f);
    EXPECT_EQ(lines[0].vertices[0].color, (std::array<float, 4>{1, 1, 1, 1}));
}

TEST(PulsingSphereSceneRecording, NudgedFrameBringsTheSphereOneUnitNearerForThatFrameOnly) {
    PulsingRig rig;
    rig.frame(4, 0, 8.0);
    // The sphere is the first thing placed in a frame.
    auto sphereZ = [&rig] { return rig.frameCalls("glTranslatef").at(0).args[2]; };

    rig.frame(6, 11, 9.0);
    EXPECT_EQ(sphereZ(), -15.0);
    rig.frame(6, 12, 9.1);
    EXPECT_EQ(sphereZ(), -14.0);
    EXPECT_EQ(rig.pulsingSphere.sphere.position.z, -14.0f);
    EXPECT_EQ(rig.pulsingSphere.nudgePending, 0);
    rig.frame(6, 13, 9.2);
    EXPECT_EQ(sphereZ(), -15.0);
    // Order 5 has no beats.
    rig.frame(5, 12, 9.3);
    EXPECT_EQ(sphereZ(), -15.0);
    rig.frame(9, 52, 9.4);
    EXPECT_EQ(sphereZ(), -14.0);
}

TEST(PulsingSphereSceneRecording, DiscAlphaFallsFromOneToItsRestOverOneSecond) {
    PulsingRig rig;
    auto discColours = [&rig] {
        std::vector<std::array<float, 4>> colours;
        for (const auto& fan : rig.framePrimitives(GL_TRIANGLE_FAN)) colours.push_back(fan.vertices[0].color);
        return colours;
    };
    rig.frame(4, 0, 8.0);
    for (const auto& c : discColours()) EXPECT_FLOAT_EQ(c[3], 0.4f);

    // Scene time is seconds × 5: a beat at 10 s, then e = 2.5 and e = 5.
    const double beat = 10.0;
    const std::pair<double, float> steps[] = {{0.0, 1.0f}, {0.5, 0.7f}, {0.99, 0.406f}, {1.0, 0.4f}, {3.0, 0.4f}};
    for (const auto& [after, alpha] : steps) {
        rig.frame(7, after == 0.0 ? 20 : 21, beat + after);
        const auto colours = discColours();
        ASSERT_EQ(colours.size(), 12u);
        for (const auto& c : colours) {
            EXPECT_FLOAT_EQ(c[0], 0.8f);
            EXPECT_FLOAT_EQ(c[1], 0.6f);
            EXPECT_FLOAT_EQ(c[2], 1.0f);
            EXPECT_NEAR(c[3], alpha, 1e-5) << after << " s after the beat";
        }
    }
}

TEST(PulsingSphereSceneRecording, DiscsStandEverySixtyTwoUnitsAndSlowToTheRight) {
    PulsingRig rig;
    rig.frame(4, 0, 2.0);
    const auto fans = rig.framePrimitives(GL_TRIANGLE_FAN);
    ASSERT_EQ(fans.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(fans[i].vertices.size(), 10u);
        EXPECT_NEAR(fans[i].vertices[0].eye[0], -320.0f + 62.0f * i, 1e-3);
        EXPECT_NEAR(fans[i].vertices[0].eye[1], -150.0f, 1e-3);
        EXPECT_NEAR(fans[i].vertices[0].eye[2], -100.0f, 1e-3);
    }
    // The last disc is the one left behind by the draw loop: its spin is
    // 0.99^11 of the first one's.
    const float t = 10.0f;
    float speed = 1.0f;
    for (int i = 0; i < 11; ++i) speed *= 0.99f;
    EXPECT_FLOAT_EQ(rig.pulsingSphere.disc.rotation.y, 3.0f * speed * t);
    EXPECT_FLOAT_EQ(rig.pulsingSphere.disc.rotation.z, 10.0f * speed * t);
}

TEST(PulsingSphereSceneRecording, BeatRowsOfOrdersSixToNineFlashWhite) {
    PulsingRig rig;
    rig.frame(4, 0, 1.0);
    struct Case {
        unsigned order, row;
        bool flash;
    };
    const Case cases[] = {{6, 12, true},  {6, 20, true},  {7, 45, true},  {8, 52, true},
                          {9, 52, true},  {5, 12, false}, {4, 20, false}, {6, 11, false},
                          {6, 13, false}, {9, 53, false}, {7, 44, false}};
    double seconds = 2.0;
    for (const Case& c : cases) {
        rig.frame(c.order, c.row, seconds);
        const auto quads = rig.flashQuads();
        if (c.flash) {
            ASSERT_EQ(quads.size(), 1u) << c.order << "/" << c.row;
            ASSERT_EQ(quads[0].vertices.size(), 4u);
            // Alpha 0 with the reversed blend factors is pure white.
            EXPECT_EQ(quads[0].vertices[0].color, (std::array<float, 4>{1, 1, 1, 0}));
            EXPECT_EQ(quads[0].vertices[0].object[0], -320.0f);
            EXPECT_EQ(quads[0].vertices[2].object[1], -240.0f);
            EXPECT_EQ(recgl::state().blendSrc, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
            EXPECT_EQ(recgl::state().blendDst, static_cast<GLenum>(GL_SRC_ALPHA));
            EXPECT_EQ(recgl::state().matrixMode, static_cast<GLenum>(GL_PROJECTION));
            EXPECT_FALSE(recgl::isEnabled(GL_BLEND)) << "the attribute pop restores blending";
        } else {
            EXPECT_TRUE(quads.empty()) << c.order << "/" << c.row;
        }
        EXPECT_EQ(recgl::state().projectionDepth, 1);
        seconds += 1.0;
    }
}

TEST(PulsingSphereSceneRecording, FlashFadesOutOverPointEightUnitsAfterTheRow) {
    PulsingRig rig;
    rig.frame(4, 0, 1.0);
    rig.frame(8, 45, 10.0);
    rig.frame(8, 45, 10.04);  // the row lasts: the flash restarts
    ASSERT_EQ(rig.flashQuads().size(), 1u);
    EXPECT_FLOAT_EQ(rig.flashQuads()[0].vertices[0].color[3], 0.0f);
    rig.frame(8, 46, 10.12);  // f = 0.4
    ASSERT_EQ(rig.flashQuads().size(), 1u);
    EXPECT_NEAR(rig.flashQuads()[0].vertices[0].color[3], 0.5f, 1e-4);
    rig.frame(8, 46, 10.21);  // f = 0.85
    EXPECT_TRUE(rig.flashQuads().empty());
}

TEST(PulsingSphereSceneRecording, SpinKickLeadsForPointEightUnitsThenSnapsBack) {
    PulsingRig rig;
    rig.frame(4, 0, 1.0);
    auto& sphere = rig.pulsingSphere.sphere;

    rig.frame(6, 2, 4.0);  // before any beat: plain spin
    EXPECT_FLOAT_EQ(sphere.rotation.x, 2.0f * 20.0f);
    EXPECT_FLOAT_EQ(sphere.rotation.y, 0.8f * 20.0f);

    rig.frame(6, 12, 10.0);  // d = 0
    EXPECT_FLOAT_EQ(sphere.rotation.x, 100.0f);
    EXPECT_FLOAT_EQ(sphere.rotation.y, 0.8f * 50.0f);
    EXPECT_EQ(sphere.rotation.z, 0.0f);

    rig.frame(6, 13, 10.08);  // d = 0.4, k = 1
    const float t = static_cast<float>(10.08 * 5.0);
    const float k = 2.0f * (t - 50.0f) / 0.8f;
    EXPECT_FLOAT_EQ(sphere.rotation.x, 2.0f * (t + k));
    EXPECT_FLOAT_EQ(sphere.rotation.y, 0.8f * t + k);
    EXPECT_NEAR(k, 1.0f, 1e-4);

    rig.frame(6, 13, 10.2);  // d = 1: the lead is gone
    EXPECT_FLOAT_EQ(sphere.rotation.x, 2.0f * 51.0f);
    EXPECT_FLOAT_EQ(sphere.rotation.y, 0.8f * 51.0f);
}

TEST(PulsingSphereSceneRecording, StopSwitchesFogOffOnce) {
    PulsingRig rig;
    rig.frame(4, 0, 1.0);
    rig.frame(5, 0, 2.0);
    EXPECT_FALSE(recgl::isEnabled(GL_FOG)) << "the discs leave fog off";
    rig.frame(10, 0, 3.0);
    EXPECT_TRUE(rig.pulsingSphere.stopped);
    EXPECT_FALSE(rig.pulsingSphere.started);

    // A second stop makes no call at all.
    const std::size_t before = recgl::calls().size();
    rig.pulsingSphere.stop(0.0f, nullptr);
    EXPECT_EQ(recgl::calls().size(), before);

    // Drawn again after the stop, the scene starts again.
    rig.pulsingSphere.draw(20.0f, nullptr);
    EXPECT_TRUE(rig.pulsingSphere.started);
    EXPECT_FALSE(rig.pulsingSphere.stopped);
}
