// WireTorus draw sequence through the recording GL: the loops of both wire
// styles, the placement order, and the state left for the next draw.
#include <gtest/gtest.h>

#include "objects/WireTorus.h"
#include "tests/support/RecordingGL.h"

namespace {

class WireTorusRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }

    static void expectObjectVertex(const recgl::Vertex& v, const WireTorus& t, int ring,
                                   int segment) {
        const float* p = &t.vertices[(ring * t.segmentCount + segment) * 4];
        EXPECT_EQ(v.object[0], p[0]) << ring << "," << segment;
        EXPECT_EQ(v.object[1], p[1]) << ring << "," << segment;
        EXPECT_EQ(v.object[2], p[2]) << ring << "," << segment;
    }

    static int indexOfCall(const std::string& name, double firstArg) {
        const auto& calls = recgl::calls();
        for (std::size_t k = 0; k < calls.size(); ++k)
            if (calls[k].name == name && (calls[k].args.empty() || calls[k].args[0] == firstArg))
                return static_cast<int>(k);
        return -1;
    }

    WireTorus ringTorus{1.0f, 3.0f, 32, 3.0f, 40.0f};
};

}  // namespace

TEST_F(WireTorusRecording, RingLoopsSendEachEdgeOfEveryRing) {
    ringTorus.style = WireTorus::RingLoops;
    ringTorus.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 32u);
    for (const auto& loop : prims) {
        EXPECT_EQ(loop.mode, static_cast<GLenum>(GL_LINE_LOOP));
        EXPECT_EQ(loop.vertices.size(), 78u);
    }
    const auto& ring5 = prims[5].vertices;
    expectObjectVertex(ring5[0], ringTorus, 5, 0);
    expectObjectVertex(ring5[1], ringTorus, 5, 1);
    expectObjectVertex(ring5[2], ringTorus, 5, 1);
    expectObjectVertex(ring5[77], ringTorus, 5, 39);
    const auto& c = ring5[0].color;
    EXPECT_FLOAT_EQ(c[0], 0.8f);
    EXPECT_FLOAT_EQ(c[3], 0.5f);
}

TEST_F(WireTorusRecording, SegmentLoopsRunRoundTheTorusAxis) {
    ringTorus.style = WireTorus::SegmentLoops;
    ringTorus.draw();
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 40u);
    for (const auto& loop : prims) {
        EXPECT_EQ(loop.mode, static_cast<GLenum>(GL_LINE_LOOP));
        EXPECT_EQ(loop.vertices.size(), 62u);
    }
    const auto& segment7 = prims[7].vertices;
    expectObjectVertex(segment7[0], ringTorus, 0, 7);
    expectObjectVertex(segment7[1], ringTorus, 1, 7);
    expectObjectVertex(segment7[2], ringTorus, 1, 7);
    expectObjectVertex(segment7[61], ringTorus, 31, 7);

    WireTorus loopTorus(1.0f, 3.0f, 32, 3.0f, 16.0f);
    recgl::reset();
    loopTorus.style = WireTorus::SegmentLoops;
    loopTorus.draw();
    EXPECT_EQ(recgl::primitives().size(), 16u);
    EXPECT_EQ(recgl::primitives().back().vertices.size(), 62u);
}

TEST_F(WireTorusRecording, PlacementIsTranslateThenRotateXYZ) {
    ringTorus.style = WireTorus::RingLoops;
    ringTorus.setPosition(0.0f, 0.0f, -30.0f);
    ringTorus.setRotation(0.0f, 0.0f, 90.0f);
    ringTorus.draw();
    // Vertex (0, 0) = (0, 12, 0) turned a quarter about Z, then moved back.
    const auto& eye = recgl::primitives()[0].vertices[0].eye;
    EXPECT_NEAR(eye[0], -12.0f, 1e-4f);
    EXPECT_NEAR(eye[1], 0.0f, 1e-4f);
    EXPECT_NEAR(eye[2], -30.0f, 1e-4f);
    const auto rotates = recgl::callsNamed("glRotatef");
    ASSERT_EQ(rotates.size(), 3u);
    EXPECT_EQ(rotates[0].args[1], 1.0);
    EXPECT_EQ(rotates[1].args[2], 1.0);
    EXPECT_EQ(rotates[2].args[3], 1.0);
    EXPECT_LT(indexOfCall("glTranslatef", 0.0), indexOfCall("glRotatef", 0.0));
    // Lines are chosen before the first loop is sent.
    EXPECT_LT(indexOfCall("glPolygonMode", GL_FRONT_AND_BACK), indexOfCall("glBegin", GL_LINE_LOOP));
}

TEST_F(WireTorusRecording, LeavesWhiteTextureZeroAndTheCallersModes) {
    for (int style : {WireTorus::RingLoops, WireTorus::SegmentLoops}) {
        recgl::reset();
        glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 3);
        ringTorus.style = style;
        ringTorus.draw();
        const auto& s = recgl::state();
        for (float component : s.color) EXPECT_FLOAT_EQ(component, 1.0f) << style;
        EXPECT_EQ(s.boundTexture2D, 0u);
        EXPECT_EQ(s.polygonModeFront, static_cast<GLenum>(GL_FILL));
        EXPECT_EQ(s.polygonModeBack, static_cast<GLenum>(GL_FILL));
        EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
        EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
        EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
        // The blend function is outside the saved attributes and stays.
        EXPECT_EQ(s.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
        EXPECT_EQ(s.modelviewDepth, 1);
        EXPECT_EQ(s.attribDepth, 0);
        EXPECT_TRUE(recgl::misuse().empty());
    }
    // Blending the caller had switched on survives too.
    recgl::reset();
    glEnable(GL_BLEND);
    ringTorus.draw();
    EXPECT_TRUE(recgl::isEnabled(GL_BLEND));
}

TEST_F(WireTorusRecording, ConstructionAndAnimationMakeNoGLCalls) {
    WireTorus other(1.0f, 3.0f, 32, 3.0f, 16.0f);
    other.animate(1.0f);
    EXPECT_TRUE(recgl::calls().empty());
}
