// Misuse detection of the recording GL: what a real driver rejects must be
// rejected here too (and leave the state alone), or tests would pass code
// that draws nothing on a real GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/RecordingGL.h"

namespace {

class RecordingMisuseTest : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

TEST_F(RecordingMisuseTest, StateCallsInsideBeginEndAreRejectedAndIgnored) {
    glBegin(GL_LINES);
    glEnable(GL_BLEND);
    glPushMatrix();
    glTranslatef(1, 0, 0);
    glBindTexture(GL_TEXTURE_2D, 7);
    glVertex3f(0, 0, 0);
    glEnd();
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(recgl::state().modelviewDepth, 1);
    EXPECT_EQ(recgl::primitives().at(0).vertices.at(0).eye, (std::array<float, 4>{0, 0, 0, 1}));
    EXPECT_EQ(recgl::state().boundTexture2D, 0u);
    EXPECT_EQ(recgl::misuse().size(), 4u);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RecordingMisuseTest, PerVertexCallsAreAllowedInsideBeginEnd) {
    glBegin(GL_TRIANGLE_STRIP);
    glColor4ub(255, 0, 0, 255);
    glColor4fv(std::array<float, 4>{0, 1, 0, 1}.data());
    glTexCoord2f(1, 1);
    glNormal3f(0, 1, 0);
    glEdgeFlag(GL_TRUE);
    glVertex3f(1, 2, 3);
    glEnd();
    EXPECT_TRUE(recgl::misuse().empty());
    EXPECT_EQ(recgl::pendingError(), GLenum(GL_NO_ERROR));
}

TEST_F(RecordingMisuseTest, NestedBeginAndStrayEndAreFlagged) {
    glBegin(GL_QUADS);
    glBegin(GL_LINES);
    glEnd();
    ASSERT_EQ(recgl::primitives().size(), 1u);
    EXPECT_EQ(recgl::primitives()[0].mode, GLenum(GL_QUADS));
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
    glEnd();
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
    EXPECT_EQ(recgl::primitives().size(), 1u);
    EXPECT_EQ(recgl::misuse().size(), 2u);
}

TEST_F(RecordingMisuseTest, FirstErrorSticksUntilRead) {
    glEnable(GL_POINT_SMOOTH_HINT);  // a hint target, not a capability
    glPopMatrix();
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(recgl::misuse().size(), 2u);
}

TEST_F(RecordingMisuseTest, UnknownEnumsLeaveStateAlone) {
    glBlendFunc(GL_SRC_ALPHA, GL_POINT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINES);
    glHint(GL_POINT_SMOOTH, GL_NICEST);
    glMatrixMode(GL_COLOR_BUFFER_BIT);
    glDepthFunc(GL_LINEAR);
    glFogi(GL_FOG_MODE, GL_NICEST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    const recgl::State& s = recgl::state();
    EXPECT_EQ(s.blendDst, GLenum(GL_ZERO));
    EXPECT_EQ(s.polygonModeFront, GLenum(GL_FILL));
    EXPECT_EQ(recgl::hint(GL_POINT_SMOOTH_HINT), GLenum(GL_DONT_CARE));
    EXPECT_EQ(s.matrixMode, GLenum(GL_MODELVIEW));
    EXPECT_EQ(s.depthFunc, GLenum(GL_LESS));
    EXPECT_EQ(s.fogMode, GL_EXP);
    EXPECT_EQ(s.texEnvMode, GL_MODULATE);
    EXPECT_EQ(recgl::misuse().size(), 8u);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
}

TEST_F(RecordingMisuseTest, BadValuesAreInvalidValue) {
    glPointSize(0);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    glLineWidth(-1);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    glViewport(0, 0, -1, 10);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    glFogf(GL_FOG_DENSITY, -0.5f);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    glClear(0x1);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    EXPECT_EQ(recgl::state().pointSize, 1.0f);
    EXPECT_EQ(recgl::state().viewport[2], 640);
    EXPECT_EQ(recgl::state().fogDensity, 1.0f);
}

TEST_F(RecordingMisuseTest, VertexOutsideBeginEndIsNotedWithoutAnError) {
    glVertex3f(1, 2, 3);
    EXPECT_TRUE(recgl::primitives().empty());
    EXPECT_EQ(recgl::misuse().size(), 1u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RecordingMisuseTest, GetErrorInsideBeginEndIsItselfAnError) {
    glBegin(GL_POINTS);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glEnd();
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
}

}  // namespace
