// Intro scene call sequences, driven through the real timeline by a scripted
// music position with the recording GL: the fade-in colour, the carousel's
// layout, the tumbling that order 2 switches on, and the one-shot stop.
#include "tests/scenes/SceneRig.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using IntroRig = RecordingSceneRig;

const std::size_t sphereDots = 400;
const std::size_t cylinderDots = 40;

std::vector<recgl::Primitive> dotPrimitives(const std::vector<recgl::Primitive>& all,
                                            std::size_t vertexCount) {
    std::vector<recgl::Primitive> found;
    for (const auto& p : all)
        if (p.mode == GL_POINTS && p.vertices.size() == vertexCount) found.push_back(p);
    return found;
}

float distance(const std::array<float, 4>& a, float x, float y, float z) {
    return std::sqrt((a[0] - x) * (a[0] - x) + (a[1] - y) * (a[1] - y) + (a[2] - z) * (a[2] - z));
}

}  // namespace

TEST(IntroSceneRecording, FirstFrameIsOnlyTheWhiteBackground) {
    IntroRig rig;
    EXPECT_FALSE(rig.frame(0, 0, 0.0));
    EXPECT_EQ(rig.presents, 1);

    const auto colours = rig.frameCalls("glColor4f");
    ASSERT_FALSE(colours.empty());
    EXPECT_FLOAT_EQ(colours[0].args[0], 1.01f);
    EXPECT_FLOAT_EQ(colours[0].args[1], 1.01f);
    EXPECT_FLOAT_EQ(colours[0].args[2], 1.01f);
    EXPECT_FLOAT_EQ(colours[0].args[3], 0.0f);

    // Everything drawn is fully transparent, so only the white clear shows.
    const auto prims = rig.framePrimitives();
    ASSERT_EQ(dotPrimitives(prims, sphereDots).size(), 40u);
    ASSERT_EQ(dotPrimitives(prims, cylinderDots).size(), 1u);
    for (const auto& p : prims)
        for (const auto& v : p.vertices) ASSERT_FLOAT_EQ(v.color[3], 0.0f);

    const auto& s = recgl::state();
    EXPECT_EQ(s.clearColor, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_FALSE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_TRUE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(IntroSceneRecording, FadeReachesHalfWayThenStopsSettingColour) {
    IntroRig rig;
    rig.frame(0, 0, 0.0);
    rig.frame(0, 10, 1.75);
    auto colours = rig.frameCalls("glColor4f");
    ASSERT_FALSE(colours.empty());
    EXPECT_NEAR(colours[0].args[0], 0.51, 1e-6);
    EXPECT_NEAR(colours[0].args[3], 0.25, 1e-6);

    rig.frame(1, 0, 3.4);
    const float lastFade = 1.01f - 3.4f / 3.5f;
    rig.frame(1, 1, 3.5);
    EXPECT_TRUE(rig.frameCalls("glColor4f").empty()) << "no colour is set from 3.5 s on";
    // The objects draw in the colour the last fade frame left.
    for (const auto& p : rig.framePrimitives())
        for (const auto& v : p.vertices) {
            ASSERT_FLOAT_EQ(v.color[0], lastFade);
            ASSERT_FLOAT_EQ(v.color[3], 3.4f / 3.5f * 0.5f);
        }
}

TEST(IntroSceneRecording, TenGroupsCircleTheCarouselCentreBesideTheCylinder) {
    IntroRig rig;
    rig.frame(0, 0, 0.0);
    const auto firstCylinder = dotPrimitives(rig.framePrimitives(), cylinderDots);
    ASSERT_EQ(firstCylinder.size(), 1u);
    for (int i = 1; i < 10; ++i) rig.frame(0, i, 0.1 * i);
    const auto prims = rig.framePrimitives();
    const auto spheres = dotPrimitives(prims, sphereDots);
    ASSERT_EQ(spheres.size(), 40u);

    // The carousel turns about (5, -5.5, -12). The four poles of a group
    // average to the group's centre plus one unit along the group's z axis,
    // which the group's own turn of F × 0.5 degrees about y (F = 9 in this
    // frame) tips outward by sin φ.
    const double phi = 9 * 0.5 * 3.14159265358979 / 180;
    const float expected = static_cast<float>(
        std::sqrt((10.5 + std::sin(phi)) * (10.5 + std::sin(phi)) + std::cos(phi) * std::cos(phi)));
    for (int group = 0; group < 10; ++group) {
        std::array<float, 4> mean{0, 0, 0, 0};
        for (int k = 0; k < 4; ++k)
            for (int c = 0; c < 3; ++c) mean[c] += spheres[group * 4 + k].vertices[0].eye[c] / 4;
        EXPECT_NEAR(distance(mean, 5.0f, -5.5f, -12.0f), expected, 1e-3)
            << "group " << group;
    }
    // Neighbouring spheres of a group stand 2 × 1.5 apart.
    EXPECT_NEAR(distance(spheres[0].vertices[0].eye, spheres[1].vertices[0].eye[0],
                         spheres[1].vertices[0].eye[1], spheres[1].vertices[0].eye[2]),
                3.0f, 1e-3);

    // The cylinder is placed before the carousel turns, so it stays put.
    const auto cylinder = dotPrimitives(prims, cylinderDots);
    ASSERT_EQ(cylinder.size(), 1u);
    EXPECT_NEAR(distance(cylinder[0].vertices[0].eye, 5.0f, -5.5f, -12.0f), 6.0f, 1e-3);
    for (int c = 0; c < 3; ++c)
        EXPECT_FLOAT_EQ(cylinder[0].vertices[0].eye[c], firstCylinder[0].vertices[0].eye[c]);
    EXPECT_EQ(IntroScene::frameCount, 10.0f);
}

namespace {

// glRotatef calls of the last frame about (1, 0, 0) with a non-zero angle,
// leaving out the carousel's fixed 30-degree tilt.
std::vector<double> tumbleAnglesAboutX(const IntroRig& rig) {
    std::vector<double> angles;
    for (const auto& call : rig.frameCalls("glRotatef"))
        if (call.args[1] == 1.0 && call.args[2] == 0.0 && call.args[3] == 0.0 &&
            call.args[0] != 0.0 && call.args[0] != 30.0)
            angles.push_back(call.args[0]);
    return angles;
}

}  // namespace

TEST(IntroSceneRecording, SpheresTumbleFromOrderTwoOnAndNotBefore) {
    IntroRig rig;
    for (int i = 0; i < 5; ++i) rig.frame(0, i, 0.5 + 0.02 * i);
    rig.frame(1, 63, 0.7);
    EXPECT_FALSE(rig.intro.spinEnabled);
    EXPECT_TRUE(tumbleAnglesAboutX(rig).empty());
    for (const auto& sphere : rig.intro.spheres) {
        EXPECT_EQ(sphere.rotation.x, 0.0f);
        EXPECT_EQ(sphere.rotation.y, 0.0f);
        EXPECT_EQ(sphere.rotation.z, 0.0f);
    }

    // Order 2: spheres 0 and 3 tumble about x by the frame count, in every
    // one of the ten groups.
    const float f = IntroScene::frameCount;
    ASSERT_EQ(f, 6.0f);
    rig.frame(2, 0, 0.72);
    EXPECT_TRUE(rig.intro.spinEnabled);
    const auto angles = tumbleAnglesAboutX(rig);
    EXPECT_EQ(angles.size(), 20u);
    for (double a : angles) EXPECT_EQ(a, f);
    const auto& sp = rig.intro.spheres;
    EXPECT_EQ(sp[0].rotation.x, f);
    EXPECT_EQ(sp[0].rotation.y, f);
    EXPECT_EQ(sp[0].rotation.z, 0.0f);
    EXPECT_EQ(sp[1].rotation.x, 0.0f);
    EXPECT_EQ(sp[1].rotation.y, f);
    EXPECT_EQ(sp[2].rotation.y, f);
    EXPECT_EQ(sp[2].rotation.z, f);
    EXPECT_EQ(sp[3].rotation.x, f);
    EXPECT_EQ(sp[3].rotation.y, 0.0f);

    // It is never switched off again.
    rig.frame(3, 10, 0.74);
    for (double a : tumbleAnglesAboutX(rig)) EXPECT_EQ(a, f + 1.0f);
    EXPECT_EQ(tumbleAnglesAboutX(rig).size(), 20u);
}

TEST(IntroSceneRecording, StopActsOnceHandsOnBlackAndFreezesTheScene) {
    IntroRig rig;
    for (int i = 0; i < 4; ++i) rig.frame(i, 0, 0.3 * i);
    const float framesDrawn = IntroScene::frameCount;
    ASSERT_EQ(framesDrawn, 4.0f);

    rig.frame(4, 0, 1.5);
    // That frame was cleared while the clear colour was still white.
    const auto& calls = recgl::calls();
    std::size_t clearAt = 0, blackAt = 0;
    for (std::size_t i = rig.callMark; i < calls.size(); ++i) {
        if (calls[i].name == "glClear" && clearAt == 0) clearAt = i;
        if (calls[i].name == "glClearColor" && calls[i].args == std::vector<double>{0, 0, 0, 1})
            blackAt = i;
    }
    ASSERT_NE(blackAt, 0u);
    EXPECT_LT(clearAt, blackAt);
    EXPECT_TRUE(rig.intro.stopped);
    EXPECT_FALSE(rig.intro.started);
    EXPECT_EQ(rig.intro.stopCount, 1);
    EXPECT_EQ(recgl::state().clearColor, (std::array<float, 4>{0, 0, 0, 1}));

    // Later stops change nothing.
    for (int i = 0; i < 3; ++i) {
        rig.frame(5, i, 1.6 + 0.1 * i);
        EXPECT_TRUE(rig.frameCalls("glClearColor").empty());
    }
    rig.frame(40, 0, 3.0);
    EXPECT_TRUE(rig.frameCalls("glClearColor").empty());
    EXPECT_EQ(rig.intro.stopCount, 1);

    // A stopped intro draws nothing, does not restart and keeps its counter.
    const std::size_t callsBefore = recgl::calls().size();
    rig.intro.draw(5.0f, nullptr);
    EXPECT_EQ(recgl::calls().size(), callsBefore);
    EXPECT_EQ(IntroScene::frameCount, framesDrawn);
    EXPECT_FALSE(rig.intro.started);
}

TEST(IntroSceneRecording, StopBeforeAnyDrawStillUndoesOnce) {
    IntroRig rig;
    rig.frame(4, 0, 1.0);
    EXPECT_EQ(rig.intro.stopCount, 1);
    EXPECT_EQ(rig.frameCalls("glClearColor").size(), 1u);
    // The culling stop switches on is switched off by the next scene's start.
    const auto enables = rig.frameCalls("glEnable");
    EXPECT_EQ(std::count_if(enables.begin(), enables.end(),
                            [](const recgl::Call& c) { return c.args[0] == GL_CULL_FACE; }),
              1);
    EXPECT_EQ(IntroScene::frameCount, 0.0f);
}
