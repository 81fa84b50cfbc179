// Dot sphere draw sequence through the recording GL: one point primitive,
// n − 1 quad strips pairing consecutive points, the placement in X, Y, Z
// order, and exactly the state the draw is meant to leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "objects/DotSphere.h"
#include "tests/support/RecordingGL.h"

namespace {

int firstCall(const std::string& name) {
    const auto& calls = recgl::calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void expectObjectPoint(const recgl::Vertex& v, const DotSphere& s, int m) {
    EXPECT_EQ(v.object[0], s.points[4 * m]) << "point " << m;
    EXPECT_EQ(v.object[1], s.points[4 * m + 1]) << "point " << m;
    EXPECT_EQ(v.object[2], s.points[4 * m + 2]) << "point " << m;
}

class DotSphereRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

TEST_F(DotSphereRecording, FourHundredPointsAndNineteenStripsOfForty) {
    DotSphere s(20.0f, 1.0f);
    s.draw(0.0f);
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 20u);
    EXPECT_EQ(prims[0].mode, static_cast<GLenum>(GL_POINTS));
    ASSERT_EQ(prims[0].vertices.size(), 400u);
    for (int m = 0; m < 400; m += 37) {
        expectObjectPoint(prims[0].vertices[m], s, m);
    }
    expectObjectPoint(prims[0].vertices[399], s, 399);

    for (int strip = 0; strip < 19; ++strip) {
        const auto& p = prims[1 + strip];
        SCOPED_TRACE(strip);
        EXPECT_EQ(p.mode, static_cast<GLenum>(GL_QUAD_STRIP));
        ASSERT_EQ(p.vertices.size(), 40u);
        for (int k = 0; k < 20; ++k) {
            expectObjectPoint(p.vertices[2 * k], s, strip * 20 + k);
            expectObjectPoint(p.vertices[2 * k + 1], s, strip * 20 + k + 1);
        }
    }
    // The wireframe reaches point n(n − 1) = 380 and nothing beyond it.
    expectObjectPoint(prims.back().vertices.back(), s, 380);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DotSphereRecording, PlacementIsTranslateThenRotateXYZ) {
    DotSphere s(4.0f, 1.0f);
    s.setPosition(1.0f, 2.0f, 3.0f);
    s.setRotation(10.0f, 20.0f, 30.0f);
    s.draw(0.0f);
    const auto& calls = recgl::calls();
    const int push = firstCall("glPushMatrix");
    ASSERT_GE(push, 0);
    ASSERT_GE(calls.size(), static_cast<std::size_t>(push + 6));
    EXPECT_EQ(calls[push + 1].name, "glTranslatef");
    EXPECT_EQ(calls[push + 1].args, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(calls[push + 2].args, (std::vector<double>{10, 1, 0, 0}));
    EXPECT_EQ(calls[push + 3].args, (std::vector<double>{20, 0, 1, 0}));
    EXPECT_EQ(calls[push + 4].args, (std::vector<double>{30, 0, 0, 1}));
    EXPECT_EQ(calls[push + 5].name, "glPushAttrib");
    EXPECT_EQ(calls[push + 5].args,
              (std::vector<double>{GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_ENABLE_BIT |
                                   GL_HINT_BIT}));
    EXPECT_EQ(calls.back().name, "glPopMatrix");
    EXPECT_EQ(calls[calls.size() - 2].name, "glPopAttrib");
}

TEST_F(DotSphereRecording, RotationsComposeXOutermost) {
    DotSphere s(2.0f, 1.0f);  // one ring of 4 copies of the pole (0, 0, 1)
    s.setPosition(0.0f, 0.0f, -10.0f);
    s.setRotation(90.0f, 90.0f, 0.0f);
    s.draw(0.0f);
    // (0, 0, 1) turned 90° about Y gives (1, 0, 0), which X leaves alone.
    const auto& pole = recgl::primitives()[0].vertices[0].eye;
    EXPECT_NEAR(pole[0], 1.0f, 1e-5f);
    EXPECT_NEAR(pole[1], 0.0f, 1e-5f);
    EXPECT_NEAR(pole[2], -10.0f, 1e-5f);
}

TEST_F(DotSphereRecording, PointSizeAndLineModeComeInOrder) {
    DotSphere s(20.0f, 1.0f);
    s.draw(0.0f);
    const auto& calls = recgl::calls();
    const int size = firstCall("glPointSize");
    const int begin = firstCall("glBegin");
    const int mode = firstCall("glPolygonMode");
    ASSERT_GE(size, 0);
    ASSERT_GE(mode, 0);
    EXPECT_EQ(calls[size].args, (std::vector<double>{5.0}));
    EXPECT_LT(size, begin);
    EXPECT_EQ(calls[mode].args, (std::vector<double>{GL_FRONT_AND_BACK, GL_LINE}));
    // Line mode is set after the dots and before the first strip.
    EXPECT_EQ(recgl::count("glPolygonMode"), 1);
    EXPECT_GT(mode, firstCall("glEnd"));
    EXPECT_LT(mode, static_cast<int>(std::find_if(calls.begin() + firstCall("glEnd"), calls.end(),
                                                  [](const recgl::Call& c) {
                                                      return c.name == "glBegin";
                                                  }) - calls.begin()));
}

TEST_F(DotSphereRecording, LeavesLineModeAndBlendFunctionRestoresTheRest) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    glPointSize(2.0f);
    DotSphere s(20.0f, 1.0f);
    s.draw(0.0f);

    const recgl::State& st = recgl::state();
    EXPECT_EQ(st.polygonModeFront, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(st.polygonModeBack, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(st.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(st.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(st.pointSize, 2.0f);
    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_POINT_SMOOTH));
    EXPECT_EQ(st.color, (std::array<float, 4>{0.2f, 0.4f, 0.6f, 0.8f}));
    EXPECT_EQ(recgl::hint(GL_POINT_SMOOTH_HINT), static_cast<GLenum>(GL_DONT_CARE));
    EXPECT_EQ(st.modelviewDepth, 1);
    EXPECT_EQ(st.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DotSphereRecording, DrawsInTheCallersColourWithTexturingOff) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.1f, 0.9f, 0.3f, 0.5f);
    DotSphere s(6.0f, 1.0f);
    s.draw(0.0f);
    EXPECT_EQ(recgl::count("glColor4f") + recgl::count("glColor4fv") + recgl::count("glColor3f"), 1);
    const auto& v = recgl::primitives()[0].vertices[0];
    EXPECT_EQ(v.color, (std::array<float, 4>{0.1f, 0.9f, 0.3f, 0.5f}));
    const int disable = firstCall("glDisable");
    ASSERT_GE(disable, 0);
    EXPECT_EQ(recgl::calls()[disable].args, (std::vector<double>{GL_TEXTURE_2D}));
    EXPECT_GT(disable, firstCall("glPushAttrib"));
}

TEST_F(DotSphereRecording, TimeArgumentChangesNothing) {
    DotSphere s(20.0f, 1.0f);
    s.draw(0.0f);
    const auto first = recgl::calls();
    recgl::reset();
    s.draw(1234.5f);
    const auto& second = recgl::calls();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, second[i].name);
        EXPECT_EQ(first[i].args, second[i].args);
    }
}

TEST_F(DotSphereRecording, SmallAndOddResolutionsStayBalanced) {
    for (float resolution : {1.0f, 3.0f, 21.0f}) {
        recgl::reset();
        DotSphere s(resolution, 1.0f);
        s.draw(0.0f);
        const int n = s.resolution;
        SCOPED_TRACE(n);
        ASSERT_EQ(recgl::primitives().size(), static_cast<std::size_t>(n));
        EXPECT_EQ(recgl::primitives()[0].vertices.size(), static_cast<std::size_t>(n * n));
        EXPECT_EQ(recgl::state().modelviewDepth, 1);
        EXPECT_EQ(recgl::state().attribDepth, 0);
        EXPECT_TRUE(recgl::misuse().empty());
    }
}

}  // namespace
