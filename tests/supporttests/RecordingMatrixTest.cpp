// Matrix stacks of the recording GL: where a vertex lands in eye space after
// the demo's translate/rotate chains, and what the projection helpers map
// to the edges of clip space.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "tests/support/RecordingGL.h"
#include "webgl/Matrix.h"

#include <cmath>

namespace {

constexpr float tolerance = 1e-5f;

class RecordingMatrixTest : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }

    // Eye coordinates of one point sent through glVertex3f now.
    std::array<float, 4> eyeOf(float x, float y, float z) {
        glBegin(GL_POINTS);
        glVertex3f(x, y, z);
        glEnd();
        return recgl::primitives().back().vertices.at(0).eye;
    }

    // Normalised device coordinates of an eye-space point under the projection.
    static std::array<float, 3> ndcOf(const std::array<float, 4>& eye) {
        const auto clip = webgl::Matrix(recgl::matrix(GL_PROJECTION)).apply(eye);
        return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
    }
};

void expectNear(const std::array<float, 4>& actual, float x, float y, float z) {
    EXPECT_NEAR(actual[0], x, tolerance);
    EXPECT_NEAR(actual[1], y, tolerance);
    EXPECT_NEAR(actual[2], z, tolerance);
    EXPECT_NEAR(actual[3], 1.0f, tolerance);
}

TEST_F(RecordingMatrixTest, TranslateThenRotateMovesTheRotatedVertex) {
    glTranslatef(1, 2, 3);
    glRotatef(90, 0, 0, 1);
    expectNear(eyeOf(1, 0, 0), 1, 3, 3);
}

TEST_F(RecordingMatrixTest, RotateThenTranslateRotatesTheOffsetToo) {
    glRotatef(90, 0, 0, 1);
    glTranslatef(1, 2, 3);
    expectNear(eyeOf(1, 0, 0), -2, 2, 3);
}

TEST_F(RecordingMatrixTest, RotationsFollowTheRightHandRuleAboutEachAxis) {
    glRotatef(90, 1, 0, 0);
    expectNear(eyeOf(0, 1, 0), 0, 0, 1);
    glLoadIdentity();
    glRotatef(90, 0, 1, 0);
    expectNear(eyeOf(0, 0, 1), 1, 0, 0);
    glLoadIdentity();
    glRotatef(-90, 0, 0, 2);  // the axis is normalised
    expectNear(eyeOf(1, 0, 0), 0, -1, 0);
    glLoadIdentity();
    glRotatef(120, 1, 1, 1);  // cycles the axes
    expectNear(eyeOf(1, 0, 0), 0, 1, 0);
}

TEST_F(RecordingMatrixTest, ScaleAndZeroAxisRotation) {
    glScalef(2, 3, 4);
    glRotatef(45, 0, 0, 0);
    expectNear(eyeOf(1, 1, 1), 2, 3, 4);
}

TEST_F(RecordingMatrixTest, VertexKeepsObjectCoordinatesColourAndTexCoord) {
    glTranslatef(0, 0, -5);
    glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
    glTexCoord2i(1, 0);
    glBegin(GL_QUADS);
    glVertex2i(3, 4);
    glColor3f(1, 0, 0);
    glTexCoord2f(0.5f, 1);
    glVertex2f(-1, 0);
    glEnd();
    const auto& v = recgl::primitives().at(0).vertices;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].object, (std::array<float, 4>{3, 4, 0, 1}));
    expectNear(v[0].eye, 3, 4, -5);
    EXPECT_EQ(v[0].color, (std::array<float, 4>{0.25f, 0.5f, 0.75f, 0.5f}));
    EXPECT_EQ(v[0].texCoord, (std::array<float, 2>{1, 0}));
    EXPECT_EQ(v[1].color, (std::array<float, 4>{1, 0, 0, 1}));
    EXPECT_EQ(v[1].texCoord, (std::array<float, 2>{0.5f, 1}));
}

TEST_F(RecordingMatrixTest, OrthoMapsTheOverlayBoxOntoClipSpace) {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-320, 320, -240, 240, -10, 200);
    auto corner = ndcOf({320, 240, 10, 1});  // eye z = -near
    EXPECT_NEAR(corner[0], 1, tolerance);
    EXPECT_NEAR(corner[1], 1, tolerance);
    EXPECT_NEAR(corner[2], -1, tolerance);
    corner = ndcOf({-320, -240, -200, 1});
    EXPECT_NEAR(corner[0], -1, tolerance);
    EXPECT_NEAR(corner[1], -1, tolerance);
    EXPECT_NEAR(corner[2], 1, tolerance);
}

TEST_F(RecordingMatrixTest, PerspectiveMapsNearFarAndFieldOfView) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 640.0 / 480.0, 0.1, 10000.0);
    EXPECT_NEAR(ndcOf({0, 0, -0.1f, 1})[2], -1, 1e-4);
    EXPECT_NEAR(ndcOf({0, 0, -10000, 1})[2], 1, 1e-4);
    const float halfHeight = 5 * std::tan(22.5f * 3.14159265f / 180);
    const auto top = ndcOf({halfHeight * 640 / 480, halfHeight, -5, 1});
    EXPECT_NEAR(top[0], 1, 1e-4);
    EXPECT_NEAR(top[1], 1, 1e-4);
    // gluPerspective multiplies: the modelview stack is left alone.
    EXPECT_EQ(recgl::matrix(GL_MODELVIEW), webgl::Matrix().m);
}

TEST_F(RecordingMatrixTest, DegeneratePerspectiveLeavesTheMatrix) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 0.0, 0.1, 100.0);
    EXPECT_EQ(recgl::matrix(GL_PROJECTION), webgl::Matrix().m);
    glOrtho(0, 0, -1, 1, -1, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    EXPECT_EQ(recgl::matrix(GL_PROJECTION), webgl::Matrix().m);
}

TEST_F(RecordingMatrixTest, LookAtPutsTheCentreStraightAhead) {
    gluLookAt(5, 0, 0, 0, 0, 0, 0, 1, 0);
    expectNear(eyeOf(0, 0, 0), 0, 0, -5);
    expectNear(eyeOf(0, 1, 0), 0, 1, -5);
    expectNear(eyeOf(5, 0, 1), -1, 0, 0);  // +z is on the left looking down -x
}

TEST_F(RecordingMatrixTest, StacksArePerModeAndPopRestores) {
    glTranslatef(1, 0, 0);
    glPushMatrix();
    glRotatef(30, 0, 1, 0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glOrtho(-1, 1, -1, 1, -1, 1);
    EXPECT_EQ(recgl::state().modelviewDepth, 2);
    EXPECT_EQ(recgl::state().projectionDepth, 2);
    glPopMatrix();
    EXPECT_EQ(recgl::matrix(GL_PROJECTION), webgl::Matrix().m);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    EXPECT_EQ(recgl::matrix(GL_MODELVIEW), webgl::Matrix::translation(1, 0, 0).m);
    EXPECT_EQ(recgl::state().modelviewDepth, 1);
    EXPECT_EQ(recgl::state().projectionDepth, 1);
}

TEST_F(RecordingMatrixTest, StackLimitsMatchMesa) {
    const struct { GLenum mode; int limit; } stacks[] = {
        {GL_MODELVIEW, 32}, {GL_PROJECTION, 32}, {GL_TEXTURE, 10}};
    for (const auto& stack : stacks) {
        glMatrixMode(stack.mode);
        for (int depth = 1; depth < stack.limit; ++depth)
            glPushMatrix();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << stack.mode;
        glPushMatrix();
        EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW)) << stack.mode;
        for (int depth = 1; depth < stack.limit; ++depth)
            glPopMatrix();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << stack.mode;
        glPopMatrix();
        EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW)) << stack.mode;
    }
}

TEST_F(RecordingMatrixTest, GetReturnsTheTopOfTheStack) {
    glTranslatef(1, 2, 3);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[13], 2.0f);
    EXPECT_EQ(m[14], 3.0f);
    GLint depth = 0;
    glPushMatrix();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 2);
}

}  // namespace
