// Disc draw sequence: the closed ten-vertex fan, the open outline, and the
// state the disc changes for what is drawn after it (blend and fog off,
// fill mode, texture 0) while restoring the caller's colour.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/Disc.h"
#include "tests/support/RecordingGL.h"

namespace {

class DiscRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

int firstCall(const std::string& name) {
    const auto& calls = recgl::calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void expectPoint(const recgl::Vertex& v, const Disc& d, int m) {
    EXPECT_EQ(v.object[0], d.vertices[4 * m]) << m;
    EXPECT_EQ(v.object[1], d.vertices[4 * m + 1]) << m;
    EXPECT_EQ(v.object[2], d.vertices[4 * m + 2]) << m;
}

TEST_F(DiscRecording, ClosedFanOfTenVerticesInTheSetColour) {
    Disc d(8, 30.0f);
    d.setColor(1.0f, 0.0f, 0.0f, 0.5f);
    d.draw(0.0f);
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 1u);
    EXPECT_EQ(prims[0].mode, static_cast<GLenum>(GL_TRIANGLE_FAN));
    ASSERT_EQ(prims[0].vertices.size(), 10u);
    for (int m = 0; m <= 8; ++m) {
        expectPoint(prims[0].vertices[m], d, m);
    }
    expectPoint(prims[0].vertices[9], d, 1);
    for (const auto& v : prims[0].vertices) {
        EXPECT_EQ(v.color, (std::array<float, 4>{1.0f, 0.0f, 0.0f, 0.5f}));
    }
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DiscRecording, BlendAndFogAreSwitchedOffBeforeTheAttributePush) {
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 5);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    Disc d(8, 30.0f);
    d.setColor(0.0f, 1.0f, 0.0f, 1.0f);
    const std::size_t first = recgl::calls().size();
    d.draw(0.0f);

    const auto& calls = recgl::calls();
    const int push = firstCall("glPushAttrib");
    ASSERT_GE(push, static_cast<int>(first) + 2);
    EXPECT_EQ(calls[first].name, "glDisable");
    EXPECT_EQ(calls[first].args, (std::vector<double>{GL_BLEND}));
    EXPECT_EQ(calls[first + 1].name, "glDisable");
    EXPECT_EQ(calls[first + 1].args, (std::vector<double>{GL_FOG}));
    EXPECT_EQ(calls[first + 2].name, "glPushMatrix");
    EXPECT_EQ(calls[push].args, (std::vector<double>{GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT |
                                                     GL_ENABLE_BIT | GL_HINT_BIT}));

    const recgl::State& st = recgl::state();
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(st.boundTexture2D, 0u);
    EXPECT_EQ(st.polygonModeFront, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(st.polygonModeBack, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(st.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(st.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(st.color, (std::array<float, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(st.modelviewDepth, 1);
    EXPECT_EQ(st.attribDepth, 0);
}

TEST_F(DiscRecording, OutlineSkipsTheClosingRimEdge) {
    glLineWidth(3.0f);
    Disc d(8, 30.0f);
    d.outlined = true;
    d.setColor(0.0f, 0.0f, 1.0f, 0.5f);
    d.draw(0.0f);
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[1].mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(prims[1].vertices.size(), 14u);
    for (int i = 1; i < 8; ++i) {
        expectPoint(prims[1].vertices[2 * (i - 1)], d, i);
        expectPoint(prims[1].vertices[2 * (i - 1) + 1], d, i + 1);
    }
    for (const auto& v : prims[1].vertices) {
        EXPECT_EQ(v.color, (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
    }
    // Line mode stays after an outline; line width comes back with the pop.
    EXPECT_EQ(recgl::state().polygonModeFront, static_cast<GLenum>(GL_LINE));
    EXPECT_EQ(recgl::state().lineWidth, 3.0f);
    EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(DiscRecording, OneDiscDrawnTwiceKeepsItsColourAndIgnoresTime) {
    Disc d(8, 30.0f);
    d.setColor(0.9f, 0.8f, 0.7f, 0.6f);
    d.setPosition(-100.0f, 0.0f, 0.0f);
    d.draw(0.0f);
    d.setPosition(100.0f, 0.0f, 0.0f);
    d.draw(555.0f);
    const auto& prims = recgl::primitives();
    ASSERT_EQ(prims.size(), 2u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(prims[0].vertices[k].color, prims[1].vertices[k].color);
        EXPECT_EQ(prims[0].vertices[k].object, prims[1].vertices[k].object);
        EXPECT_NEAR(prims[1].vertices[k].eye[0] - prims[0].vertices[k].eye[0], 200.0f, 1e-3f);
    }
    EXPECT_EQ(prims[0].vertices[0].color, (std::array<float, 4>{0.9f, 0.8f, 0.7f, 0.6f}));
}

TEST_F(DiscRecording, SpinAboutZTurnsTheRim) {
    Disc d(8, 30.0f);
    d.setRotation(0.0f, 0.0f, 90.0f);
    d.draw(0.0f);
    const auto& first = recgl::primitives()[0].vertices[1].eye;  // rim point 1, (30, 0, 0)
    EXPECT_NEAR(first[0], 0.0f, 1e-4f);
    EXPECT_NEAR(first[1], 30.0f, 1e-4f);
}

TEST_F(DiscRecording, OddSegmentCountsCloseTheFan) {
    for (int n : {1, 3, 7}) {
        recgl::reset();
        Disc d(n, 1.0f);
        d.outlined = true;
        d.draw(0.0f);
        SCOPED_TRACE(n);
        ASSERT_EQ(recgl::primitives().size(), 2u);
        EXPECT_EQ(recgl::primitives()[0].vertices.size(), static_cast<std::size_t>(n + 2));
        EXPECT_EQ(recgl::primitives()[1].vertices.size(), static_cast<std::size_t>(2 * (n - 1)));
        EXPECT_TRUE(recgl::misuse().empty());
    }
}

}  // namespace
