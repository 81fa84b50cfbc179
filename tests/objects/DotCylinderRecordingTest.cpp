// Dot cylinder draw sequence: 40 dots and one 42-vertex band closing on
// itself, the caller's colour and polygon mode, and point size 3 left behind.
#include <gtest/gtest.h>

#include "objects/DotCylinder.h"
#include "tests/support/RecordingGL.h"

namespace {

class DotCylinderRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

void expectPoint(const recgl::Vertex& v, const DotCylinder& c, int m) {
    EXPECT_EQ(v.object[0], c.points[4 * m]) << m;
    EXPECT_EQ(v.object[1], c.points[4 * m + 1]) << m;
    EXPECT_EQ(v.object[2], c.points[4 * m + 2]) << m;
}

TEST_F(DotCylinderRecording, FortyDotsAndAClosedBandOfFortyTwo) {
    DotCylinder c(4.0f, 2, 4.0f, 20.0f);
    c.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[0].mode, static_cast<GLenum>(GL_POINTS));
    ASSERT_EQ(prims[0].vertices.size(), 40u);
    for (int m = 0; m < 40; ++m) {
        expectPoint(prims[0].vertices[m], c, m);
    }
    EXPECT_EQ(prims[1].mode, static_cast<GLenum>(GL_QUAD_STRIP));
    ASSERT_EQ(prims[1].vertices.size(), 42u);
    for (int i = 0; i < 20; ++i) {
        expectPoint(prims[1].vertices[2 * i], c, i);
        expectPoint(prims[1].vertices[2 * i + 1], c, i + 20);
    }
    expectPoint(prims[1].vertices[40], c, 0);
    expectPoint(prims[1].vertices[41], c, 20);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DotCylinderRecording, OnlyTheFirstTwoRingsFormTheBand) {
    DotCylinder c(1.0f, 4, 1.0f, 5.0f);
    c.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[0].vertices.size(), 20u);
    ASSERT_EQ(prims[1].vertices.size(), 12u);
    for (const auto& v : prims[1].vertices) {
        EXPECT_LE(v.object[1], 1.0f);
    }
}

TEST_F(DotCylinderRecording, SingleRingDrawsDotsOnly) {
    DotCylinder c(1.0f, 1, 1.0f, 8.0f);
    c.draw();
    ASSERT_EQ(recgl::primitives().size(), 1u);
    EXPECT_EQ(recgl::primitives()[0].vertices.size(), 8u);
    EXPECT_EQ(recgl::state().attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DotCylinderRecording, UsesTheCallersColourAndPolygonMode) {
    glColor4f(0.5f, 0.25f, 1.0f, 0.75f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    DotCylinder c(4.0f, 2, 4.0f, 20.0f);
    c.draw();
    EXPECT_EQ(recgl::count("glPolygonMode"), 1);  // the caller's own
    EXPECT_EQ(recgl::count("glColor4f"), 1);
    EXPECT_EQ(recgl::primitives()[1].vertices[0].color,
              (std::array<float, 4>{0.5f, 0.25f, 1.0f, 0.75f}));
    EXPECT_EQ(recgl::state().polygonModeFront, static_cast<GLenum>(GL_LINE));
}

TEST_F(DotCylinderRecording, LeavesPointSizeThreeAndTheBlendFunction) {
    glPointSize(9.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthFunc(GL_LEQUAL);
    DotCylinder c(4.0f, 2, 4.0f, 20.0f);
    c.setPosition(0.0f, -2.0f, -15.0f);
    c.setRotation(30.0f, 60.0f, 90.0f);
    c.draw();

    const recgl::State& st = recgl::state();
    EXPECT_EQ(st.pointSize, 3.0f);
    EXPECT_EQ(st.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(st.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(recgl::isEnabled(GL_POINT_SMOOTH));
    EXPECT_EQ(st.polygonModeFront, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(st.depthFunc, static_cast<GLenum>(GL_LEQUAL));
    EXPECT_EQ(st.modelviewDepth, 1);
    EXPECT_EQ(st.attribDepth, 0);
    EXPECT_EQ(recgl::callsNamed("glPushAttrib").at(0).args,
              (std::vector<double>{GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT |
                                   GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_HINT_BIT}));
    const auto rotations = recgl::callsNamed("glRotatef");
    ASSERT_EQ(rotations.size(), 3u);
    EXPECT_EQ(rotations[0].args, (std::vector<double>{30, 1, 0, 0}));
    EXPECT_EQ(rotations[1].args, (std::vector<double>{60, 0, 1, 0}));
    EXPECT_EQ(rotations[2].args, (std::vector<double>{90, 0, 0, 1}));
}

}  // namespace
