// WobbleTorus draw sequence through the recording GL: the red axis cross,
// the filled and wire band passes, and the state left for the next draw.
#include <gtest/gtest.h>

#include "objects/WobbleTorus.h"
#include "tests/support/RecordingGL.h"

namespace {

class WobbleTorusRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }

    static void expectObjectVertex(const recgl::Vertex& v, const WobbleTorus& t, int ring,
                                   int segment) {
        const float* p = &t.vertices[(ring * t.segmentCount + segment) * 4];
        EXPECT_EQ(v.object[0], p[0]) << ring << "," << segment;
        EXPECT_EQ(v.object[1], p[1]) << ring << "," << segment;
        EXPECT_EQ(v.object[2], p[2]) << ring << "," << segment;
    }

    WobbleTorus torus{1.0f, 3.0f, 128, 3.0f, 40.0f};
};

}  // namespace

TEST_F(WobbleTorusRecording, AxisCrossThenTwoPassesOfBands) {
    torus.setPosition(0.0f, -8.5f, -6.0f);
    torus.setRotation(10.0f, 90.0f, 0.0f);
    torus.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 1u + 2u * 128u);

    // The cross is in the caller's frame, untouched by the torus placement.
    const auto& cross = prims[0];
    EXPECT_EQ(cross.mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(cross.vertices.size(), 6u);
    const float ends[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int axis = 0; axis < 3; ++axis) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(cross.vertices[2 * axis].eye[c], 0.0f);
            EXPECT_EQ(cross.vertices[2 * axis + 1].eye[c], ends[axis][c]);
        }
        EXPECT_EQ(cross.vertices[2 * axis].color[0], 1.0f);
        EXPECT_EQ(cross.vertices[2 * axis].color[1], 0.0f);
    }

    for (std::size_t k = 1; k < prims.size(); ++k) {
        EXPECT_EQ(prims[k].mode, static_cast<GLenum>(GL_QUAD_STRIP)) << k;
        EXPECT_EQ(prims[k].vertices.size(), 82u) << k;
        const auto& c = prims[k].vertices[0].color;
        const bool filled = k <= 128;
        EXPECT_FLOAT_EQ(c[0], filled ? 0.2f : 0.6f) << k;
        EXPECT_FLOAT_EQ(c[1], filled ? 0.4f : 0.6f) << k;
        EXPECT_FLOAT_EQ(c[3], 0.5f) << k;
    }
    const auto modes = recgl::callsNamed("glPolygonMode");
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].args[1], GL_FILL);
    EXPECT_EQ(modes[1].args[1], GL_LINE);
}

TEST_F(WobbleTorusRecording, BandsPairNeighbouringRingsAndCloseRoundTheTube) {
    torus.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 257u);
    const auto& band0 = prims[1].vertices;
    expectObjectVertex(band0[0], torus, 1, 0);
    expectObjectVertex(band0[1], torus, 0, 0);
    expectObjectVertex(band0[2], torus, 1, 1);
    expectObjectVertex(band0[79], torus, 0, 39);
    expectObjectVertex(band0[80], torus, 1, 0);
    expectObjectVertex(band0[81], torus, 0, 0);
    // The last band of each pass joins the last ring back to ring 0.
    for (std::size_t last : {128u, 256u}) {
        const auto& band = prims[last].vertices;
        expectObjectVertex(band[0], torus, 0, 0);
        expectObjectVertex(band[1], torus, 127, 0);
        expectObjectVertex(band[81], torus, 127, 0);
    }
}

TEST_F(WobbleTorusRecording, LeavesWhiteTextureZeroAndTheCallersModes) {
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glBindTexture(GL_TEXTURE_2D, 9);
    glEnable(GL_FOG);
    torus.draw();
    const auto& s = recgl::state();
    for (float component : s.color) EXPECT_FLOAT_EQ(component, 1.0f);
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_EQ(s.polygonModeFront, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(s.polygonModeBack, static_cast<GLenum>(GL_FILL));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());

    recgl::reset();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_LINE_SMOOTH);
    torus.draw();
    EXPECT_EQ(recgl::state().polygonModeFront, static_cast<GLenum>(GL_LINE));
    EXPECT_TRUE(recgl::isEnabled(GL_LINE_SMOOTH));
}

TEST_F(WobbleTorusRecording, ConstructionAndAnimationMakeNoGLCalls) {
    WobbleTorus other(1.0f, 3.0f, 16, 3.0f, 8.0f);
    other.animate(3.0f);
    other.animate(4.0f);
    EXPECT_TRUE(recgl::calls().empty());
}
