// Pulsing sphere draw sequence: 1600 dots and 39 triangle strips of 80 in
// the pink-violet colour, the skewed second vertex of every strip pair, and
// the state left behind.
#include <gtest/gtest.h>

#include "objects/PulsingSphere.h"
#include "tests/support/RecordingGL.h"

namespace {

class PulsingSphereRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

std::array<float, 3> xyz(const recgl::Vertex& v) { return {v.object[0], v.object[1], v.object[2]}; }

std::array<float, 3> live(const PulsingSphere& s, int m) {
    return {s.livePoints[4 * m], s.livePoints[4 * m + 1], s.livePoints[4 * m + 2]};
}

TEST_F(PulsingSphereRecording, DotsThenThirtyNineStripsOfEighty) {
    PulsingSphere s;
    s.animate(7.0f);
    s.draw(7.0f);
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 40u);
    EXPECT_EQ(prims[0].mode, static_cast<GLenum>(GL_POINTS));
    ASSERT_EQ(prims[0].vertices.size(), 1600u);
    for (int m = 0; m < 1600; m += 53) {
        EXPECT_EQ(xyz(prims[0].vertices[m]), live(s, m)) << m;
    }
    for (int r = 0; r < 39; ++r) {
        const auto& p = prims[1 + r];
        SCOPED_TRACE(r);
        EXPECT_EQ(p.mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        ASSERT_EQ(p.vertices.size(), 80u);
        for (int c = 0; c < 40; ++c) {
            const int a = r * 40 + c;
            const int b = a + 40;
            EXPECT_EQ(xyz(p.vertices[2 * c]), live(s, a));
            // x and y from point a, only z from point b.
            const std::array<float, 3> skewed{live(s, a)[0], live(s, a)[1], live(s, b)[2]};
            EXPECT_EQ(xyz(p.vertices[2 * c + 1]), skewed);
        }
    }
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(PulsingSphereRecording, PinkVioletFortyPercentForDotsAndWireframe) {
    PulsingSphere s;
    s.draw(0.0f);
    const std::array<float, 4> pink{1.0f, 0.6f, 1.0f, 0.4f};
    for (const auto& p : recgl::primitives()) {
        EXPECT_EQ(p.vertices.front().color, pink);
        EXPECT_EQ(p.vertices.back().color, pink);
    }
    const auto sizes = recgl::callsNamed("glPointSize");
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].args, (std::vector<double>{5.0}));
    EXPECT_EQ(recgl::callsNamed("glPushAttrib").at(0).args,
              (std::vector<double>{GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_ENABLE_BIT |
                                   GL_HINT_BIT}));
}

TEST_F(PulsingSphereRecording, WithoutAnimateItDrawsTheShapedBase) {
    PulsingSphere s;
    s.draw(0.0f);
    const auto& dots = recgl::primitives()[0].vertices;
    EXPECT_NEAR(dots[0].object[2], 4.0f, 1e-6f);
    for (int m = 0; m < 1600; m += 97) {
        EXPECT_EQ(dots[m].object[0], s.points[4 * m]) << m;
        EXPECT_EQ(dots[m].object[2], s.points[4 * m + 2]) << m;
    }
}

TEST_F(PulsingSphereRecording, LeavesLineModeBlendFunctionAndTextureZero) {
    glBindTexture(GL_TEXTURE_2D, 7);
    glColor4f(0.3f, 0.3f, 0.3f, 1.0f);
    glPointSize(1.5f);
    PulsingSphere s;
    s.setPosition(0.0f, 0.0f, -20.0f);
    s.setRotation(0.0f, 45.0f, 0.0f);
    s.animate(1.0f);
    s.draw(1.0f);

    const recgl::State& st = recgl::state();
    EXPECT_EQ(st.polygonModeFront, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(st.polygonModeBack, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(st.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(st.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(st.boundTexture2D, 0u);
    EXPECT_EQ(st.color, (std::array<float, 4>{0.3f, 0.3f, 0.3f, 1.0f}));
    EXPECT_EQ(st.pointSize, 1.5f);
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_EQ(st.modelviewDepth, 1);
    EXPECT_EQ(st.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

}  // namespace
