// Attribute stack of the recording GL: glPopAttrib must bring back exactly
// the groups its mask named, since the objects' "state left behind" tests
// rely on what falls outside the mask carrying over.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/RecordingGL.h"

namespace {

class RecordingAttribTest : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

TEST_F(RecordingAttribTest, EnableBitRestoresFlagsButNotBindingPolygonModeOrBlendFunc) {
    GLuint names[2];
    glGenTextures(2, names);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, names[0]);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, names[1]);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBlendFunc(GL_ONE, GL_ONE);
    glPointSize(4.0f);
    glPopAttrib();

    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_DEPTH_TEST));
    const recgl::State& s = recgl::state();
    EXPECT_EQ(s.boundTexture2D, names[1]);
    EXPECT_EQ(s.polygonModeFront, GLenum(GL_FILL));
    EXPECT_EQ(s.polygonModeBack, GLenum(GL_FILL));
    EXPECT_EQ(s.blendSrc, GLenum(GL_ONE));
    EXPECT_EQ(s.blendDst, GLenum(GL_ONE));
    EXPECT_EQ(s.pointSize, 4.0f);
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST_F(RecordingAttribTest, GroupsBringBackTheirOwnEnableFlagsOnly) {
    glPushAttrib(GL_POINT_BIT | GL_LINE_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
    glEnable(GL_CULL_FACE);
    glPointSize(3.0f);
    glLineWidth(2.0f);
    glDepthFunc(GL_LEQUAL);
    glPopAttrib();

    EXPECT_FALSE(recgl::isEnabled(GL_POINT_SMOOTH));
    EXPECT_FALSE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(recgl::isEnabled(GL_BLEND));
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_TRUE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_EQ(recgl::state().pointSize, 1.0f);
    EXPECT_EQ(recgl::state().lineWidth, 1.0f);
    EXPECT_EQ(recgl::state().depthFunc, GLenum(GL_LESS));
}

TEST_F(RecordingAttribTest, PolygonColourFogHintAndCurrentGroups) {
    glPushAttrib(GL_POLYGON_BIT | GL_COLOR_BUFFER_BIT | GL_FOG_BIT | GL_HINT_BIT | GL_CURRENT_BIT);
    glPolygonMode(GL_FRONT, GL_POINT);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glClearColor(0.5f, 0.25f, 0.0f, 1.0f);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 2.0f);
    glHint(GL_FOG_HINT, GL_NICEST);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glTexCoord2f(0.5f, 0.75f);
    glPopAttrib();

    const recgl::State& s = recgl::state();
    EXPECT_EQ(s.polygonModeFront, GLenum(GL_FILL));
    EXPECT_EQ(s.frontFace, GLenum(GL_CCW));
    EXPECT_FALSE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(s.blendSrc, GLenum(GL_ONE));
    EXPECT_EQ(s.blendDst, GLenum(GL_ZERO));
    EXPECT_EQ(s.clearColor, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));
    EXPECT_EQ(s.fogMode, GL_EXP);
    EXPECT_EQ(s.fogStart, 0.0f);
    EXPECT_EQ(recgl::hint(GL_FOG_HINT), GLenum(GL_DONT_CARE));
    EXPECT_EQ(s.color, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(s.texCoord, (std::array<float, 2>{0, 0}));
}

TEST_F(RecordingAttribTest, TextureTransformAndViewportGroups) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glPushAttrib(GL_TEXTURE_BIT | GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glViewport(10, 20, 30, 40);
    glPopAttrib();

    const recgl::State& s = recgl::state();
    EXPECT_FALSE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_EQ(s.texEnvMode, GL_MODULATE);
    EXPECT_EQ(s.matrixMode, GLenum(GL_MODELVIEW));
    EXPECT_EQ(s.viewport, (std::array<GLint, 4>{0, 0, 640, 480}));
}

TEST_F(RecordingAttribTest, OuterMaskIsRestoredAfterNestedPops) {
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_BLEND);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    EXPECT_EQ(recgl::state().attribDepth, 2);
    glPopAttrib();
    EXPECT_TRUE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(recgl::state().blendSrc, GLenum(GL_ONE));
    glPopAttrib();
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(recgl::state().attribDepth, 0);
}

TEST_F(RecordingAttribTest, StackHoldsSixteenThenOverflowsAndUnderflows) {
    for (int i = 0; i < 16; ++i)
        glPushAttrib(GL_ENABLE_BIT);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glEnable(GL_BLEND);
    glPushAttrib(GL_ENABLE_BIT);
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW));
    EXPECT_EQ(recgl::state().attribDepth, 16);
    for (int i = 0; i < 16; ++i)
        glPopAttrib();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    glPopAttrib();
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW));
    EXPECT_EQ(recgl::misuse().size(), 2u);
}

}  // namespace
