// CubeStar draw sequence through the recording GL: the cube count of both
// styles, colours and sizes along the arms, the y-unscaled offset, and the
// GL state the star leaves behind for the scene drawn after it.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/CubeStar.h"
#include "tests/support/RecordingGL.h"

namespace {

class CubeStarRecording : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }

    // Cubes drawn, checking every primitive is one whole cube.
    int cubeCount() const {
        int cubes = 0;
        for (const auto& p : recgl::primitives()) {
            EXPECT_EQ(p.mode, static_cast<GLenum>(GL_QUADS));
            EXPECT_EQ(p.vertices.size(), 24u);
            ++cubes;
        }
        return cubes;
    }

    static float halfSizeOf(const recgl::Primitive& cube) { return cube.vertices[0].object[0]; }

    static void expectColor(const recgl::Primitive& p, float r, float g, float b, float a) {
        const auto& c = p.vertices[0].color;
        EXPECT_NEAR(c[0], r, 1e-5f);
        EXPECT_NEAR(c[1], g, 1e-5f);
        EXPECT_NEAR(c[2], b, 1e-5f);
        EXPECT_NEAR(c[3], a, 1e-5f);
    }

    static void expectBalanced() {
        EXPECT_EQ(recgl::state().modelviewDepth, 1);
        EXPECT_EQ(recgl::state().attribDepth, 0);
        EXPECT_FALSE(recgl::state().insideBeginEnd);
        EXPECT_TRUE(recgl::misuse().empty()) << recgl::misuse().front();
    }

    CubeStar star;
};

}  // namespace

TEST_F(CubeStarRecording, DrawCubeSendsTheSixFacesInOrder) {
    star.drawCube(0.5f);
    ASSERT_EQ(recgl::primitives().size(), 1u);
    const float p = 0.5f, n = -0.5f;
    const float expected[24][3] = {
        {p, p, p}, {p, n, p}, {n, n, p}, {n, p, p}, {p, p, n}, {p, n, n}, {n, n, n}, {n, p, n},
        {p, p, p}, {p, n, p}, {p, n, n}, {p, p, n}, {n, p, p}, {n, n, p}, {n, n, n}, {n, p, n},
        {n, p, n}, {n, p, p}, {p, p, p}, {p, p, n}, {n, n, n}, {n, n, p}, {p, n, p}, {p, n, n}};
    const auto& vertices = recgl::primitives()[0].vertices;
    ASSERT_EQ(vertices.size(), 24u);
    for (int k = 0; k < 24; ++k)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(vertices[k].object[c], expected[k][c]) << k;
}

TEST_F(CubeStarRecording, MainStyleDrawsEveryArmCubeWithAnOutline) {
    star.draw(0.0f);
    ASSERT_EQ(cubeCount(), 134);
    const auto& prims = recgl::primitives();
    EXPECT_FLOAT_EQ(halfSizeOf(prims[0]), 0.8f);
    EXPECT_FLOAT_EQ(halfSizeOf(prims[1]), 0.8f);
    // First arm: cube, outline, cube, outline ... shrinking by 0.9 a step.
    float size = 0.8f;
    for (int cube = 1; cube <= 11; ++cube) {
        size *= 0.9f;
        const auto& solid = prims[2 * cube];
        const auto& outline = prims[2 * cube + 1];
        EXPECT_NEAR(halfSizeOf(solid), size, 1e-6f) << cube;
        EXPECT_NEAR(halfSizeOf(outline), size, 1e-6f) << cube;
        expectColor(outline, 0.05f, 0.05f, 0.1f, 1.0f);
        if (cube == 1)
            expectColor(solid, 0.3f, 0.4f, 0.8f, 1.0f);
        else
            expectColor(solid, 0.3f, 0.4f, 0.8f * std::pow(0.9f, cube - 1),
                        0.18f * std::pow(0.9f, cube - 1));
    }
    // Each outline is drawn as lines and the mode is put back at once.
    const auto modes = recgl::callsNamed("glPolygonMode");
    ASSERT_EQ(modes.size(), 66u);
    EXPECT_EQ(modes[0].args[1], GL_LINE);
    EXPECT_EQ(recgl::state().polygonModeFront, static_cast<GLenum>(GL_FILL));
    expectBalanced();
}

TEST_F(CubeStarRecording, OverlayStyleDrawsBrighterCubesWithoutOutlines) {
    star.overlayStyle = 1;
    star.draw(0.0f);
    ASSERT_EQ(cubeCount(), 68);
    EXPECT_EQ(recgl::count("glPolygonMode"), 0);
    const auto& prims = recgl::primitives();
    float alpha = 0.78f;
    for (int cube = 1; cube <= 11; ++cube) {
        expectColor(prims[1 + cube], 0.4f, 0.4f, 0.9f, alpha);
        EXPECT_NEAR(halfSizeOf(prims[1 + cube]), 0.8f * std::pow(0.9f, cube), 1e-5f);
        alpha *= 0.9f;
    }
    expectBalanced();
}

TEST_F(CubeStarRecording, CentralCubeKeepsTheCallersBlendingThenGoesAdditive) {
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    star.draw(0.0f);
    const auto& prims = recgl::primitives();
    expectColor(prims[0], 0.1f, 0.2f, 0.3f, 0.4f);
    expectColor(prims[1], 0.1f, 0.2f, 0.3f, 0.4f);
    // glEnable(GL_BLEND) and the additive function fall between the two
    // central cubes.
    int begins = 0;
    bool blendBeforeFirst = false, blendBeforeSecond = false;
    for (const auto& call : recgl::calls()) {
        if (call.name == "glBegin" && ++begins == 2) break;
        if (call.name == "glEnable" && call.args[0] == GL_BLEND)
            (begins == 0 ? blendBeforeFirst : blendBeforeSecond) = true;
    }
    EXPECT_FALSE(blendBeforeFirst);
    EXPECT_TRUE(blendBeforeSecond);
}

TEST_F(CubeStarRecording, OffsetScalesXAndZByTheSizeButNotY) {
    star.setPosition(1.0f, 1.0f, 1.0f);
    star.setRotation(30.0f, 0.0f, 10.0f);
    star.draw(0.0f);
    const auto translates = recgl::callsNamed("glTranslatef");
    ASSERT_EQ(translates.size(), 1u + 66u);
    EXPECT_NEAR(translates[0].args[0], 0.72, 1e-6);
    EXPECT_NEAR(translates[0].args[1], 0.9, 1e-6);
    EXPECT_NEAR(translates[0].args[2], 0.72, 1e-6);
    // First arm cube: Q = 0.9, s = 0.72.
    EXPECT_NEAR(translates[1].args[0], 0.9 * 0.9 * 0.72, 1e-6);
    EXPECT_NEAR(translates[1].args[1], 0.9 * 0.9, 1e-6);

    const auto rotates = recgl::callsNamed("glRotatef");
    ASSERT_GE(rotates.size(), 9u);
    EXPECT_NEAR(rotates[0].args[0], 30.0, 1e-6);
    EXPECT_EQ(rotates[0].args[1], 1.0);
    EXPECT_NEAR(rotates[2].args[0], 10.0 * 0.9 * 0.8, 1e-5);
    EXPECT_EQ(rotates[2].args[3], 1.0);
    // Arm 0 table angles, then the first cube's wobble: 10 * s * sin(rx).
    EXPECT_NEAR(rotates[6].args[0], 10.0 * 0.72 * 0.5, 1e-4);
    EXPECT_NEAR(rotates[7].args[0], 0.0, 1e-6);
    EXPECT_NEAR(rotates[8].args[0], 10.0 * 0.9 * 0.72, 1e-5);
}

TEST_F(CubeStarRecording, AtTheOriginAllArmsCollapseOntoTheCentre) {
    star.draw(0.0f);
    for (const auto& cube : recgl::primitives()) {
        float cx = 0, cy = 0, cz = 0;
        for (const auto& v : cube.vertices) cx += v.eye[0], cy += v.eye[1], cz += v.eye[2];
        EXPECT_NEAR(cx / 24, 0.0f, 1e-5f);
        EXPECT_NEAR(cy / 24, 0.0f, 1e-5f);
        EXPECT_NEAR(cz / 24, 0.0f, 1e-5f);
    }
}

TEST_F(CubeStarRecording, MainStyleLeavesFogOnBlendOffAndTexturingOn) {
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glEnable(GL_BLEND);
    glDisable(GL_FOG);
    glBindTexture(GL_TEXTURE_2D, 5);
    star.draw(0.0f);
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(recgl::state().blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(recgl::state().blendDst, static_cast<GLenum>(GL_ONE));
    EXPECT_EQ(recgl::state().boundTexture2D, 5u);  // the main style binds nothing
    const auto color = recgl::state().color;
    EXPECT_FLOAT_EQ(color[0], 0.25f);
    EXPECT_FLOAT_EQ(color[1], 0.5f);
    EXPECT_FLOAT_EQ(color[2], 0.75f);
    EXPECT_FLOAT_EQ(color[3], 1.0f);
    EXPECT_EQ(recgl::state().polygonModeBack, static_cast<GLenum>(GL_FILL));
    expectBalanced();
}

TEST_F(CubeStarRecording, OverlayStyleLeavesTexturingOffAndTextureZeroBound) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 5);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    star.overlayStyle = 1;
    star.draw(0.0f);
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(recgl::state().boundTexture2D, 0u);
    EXPECT_EQ(recgl::state().blendDst, static_cast<GLenum>(GL_ONE));
    EXPECT_FLOAT_EQ(recgl::state().color[3], 0.5f);
    expectBalanced();
}
