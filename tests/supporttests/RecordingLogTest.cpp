// Call log, primitives, texture objects, queries and reset of the recording
// GL: the bookkeeping every call-sequence test in the suite reads.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "tests/support/RecordingGL.h"

#include <cstdint>
#include <vector>

namespace {

class RecordingLogTest : public ::testing::Test {
protected:
    void SetUp() override { recgl::reset(); }
};

TEST_F(RecordingLogTest, PrimitivesAreCollectedInOrderWithTheirModes) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 6; ++i)
        glVertex2i(i, 0);
    glEnd();
    glBegin(GL_POINTS);
    glEnd();
    glBegin(GL_LINE_LOOP);
    glVertex3f(0, 0, 0);
    glVertex3f(1, 0, 0);
    glVertex3f(1, 1, 0);
    glEnd();
    const auto& p = recgl::primitives();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].mode, GLenum(GL_QUAD_STRIP));
    EXPECT_EQ(p[0].vertices.size(), 6u);
    EXPECT_EQ(p[0].vertices[5].object[0], 5.0f);
    EXPECT_EQ(p[1].mode, GLenum(GL_POINTS));
    EXPECT_TRUE(p[1].vertices.empty());
    EXPECT_EQ(p[2].mode, GLenum(GL_LINE_LOOP));
    EXPECT_EQ(p[2].vertices.size(), 3u);
    EXPECT_FALSE(recgl::state().insideBeginEnd);
}

TEST_F(RecordingLogTest, CallsKeepNamesAndArgumentsIncludingPointedValues) {
    glRotatef(30, 1, 0, 0);
    glRotatef(45, 0, 1, 0);
    const GLfloat colour[4] = {0.5f, 0.25f, 0.125f, 1};
    glColor4fv(colour);
    glFogfv(GL_FOG_COLOR, colour);
    gluPerspective(45, 1.5, 0.1, 100);
    EXPECT_EQ(recgl::count("glRotatef"), 2);
    EXPECT_EQ(recgl::count("glMultMatrixd"), 0);
    const auto rotations = recgl::callsNamed("glRotatef");
    ASSERT_EQ(rotations.size(), 2u);
    EXPECT_EQ(rotations[1].args, (std::vector<double>{45, 0, 1, 0}));
    EXPECT_EQ(recgl::callsNamed("glColor4fv").at(0).args,
              (std::vector<double>{0.5, 0.25, 0.125, 1}));
    EXPECT_EQ(recgl::callsNamed("glFogfv").at(0).args,
              (std::vector<double>{GL_FOG_COLOR, 0.5, 0.25, 0.125, 1}));
    EXPECT_EQ(recgl::calls().back().name, "gluPerspective");
    EXPECT_EQ(recgl::calls().back().args, (std::vector<double>{45, 1.5, 0.1, 100}));
}

TEST_F(RecordingLogTest, TextureNamesCountUpAndFailOnRequest) {
    GLuint names[2] = {99, 99};
    glGenTextures(2, names);
    EXPECT_EQ(names[0], 1u);
    EXPECT_EQ(names[1], 2u);
    recgl::failNextGenTextures();
    GLuint failed = 99;
    glGenTextures(1, &failed);
    EXPECT_EQ(failed, 0u);
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(recgl::liveTextures(), (std::vector<GLuint>{1, 2, 3}));
    EXPECT_EQ(recgl::callsNamed("glGenTextures").at(0).args, (std::vector<double>{2, 1, 2}));
    EXPECT_EQ(recgl::texture(0), nullptr);
    glDeleteTextures(1, &next);
    glBindTexture(GL_TEXTURE_2D, 9);  // a name never generated
    glGenTextures(1, &next);
    EXPECT_EQ(next, 10u);
}

TEST_F(RecordingLogTest, DeletingTheBoundTextureUnbindsIt) {
    GLuint names[2];
    glGenTextures(2, names);
    glBindTexture(GL_TEXTURE_2D, names[1]);
    EXPECT_EQ(glIsTexture(names[0]), GL_FALSE);  // generated but never bound
    EXPECT_EQ(glIsTexture(names[1]), GL_TRUE);
    glDeleteTextures(2, names);
    EXPECT_EQ(recgl::state().boundTexture2D, 0u);
    EXPECT_TRUE(recgl::liveTextures().empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RecordingLogTest, TextureImagesAndParametersGoToTheBoundObject) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const std::vector<std::uint8_t> pixels{1, 2, 3, 4, 5, 6, 7, 8};
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const recgl::Texture* t = recgl::texture(name);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->hasImage);
    EXPECT_EQ(t->width, 2);
    EXPECT_EQ(t->height, 1);
    EXPECT_EQ(t->internalFormat, 4);
    EXPECT_EQ(t->pixels, pixels);
    EXPECT_EQ(t->minFilter, GLenum(GL_LINEAR));
    EXPECT_EQ(t->magFilter, GLenum(GL_NEAREST));
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 2);
    std::vector<std::uint8_t> back(8, 0xEE);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(recgl::texture(name)->pixels, pixels);  // unbinding keeps the object
}

TEST_F(RecordingLogTest, CopySubImageNeedsAnImageLargeEnough) {
    GLuint names[2];
    glGenTextures(2, names);
    glBindTexture(GL_TEXTURE_2D, names[0]);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 256, 256);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_OPERATION));
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 256, 256);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 1, 0, 0, 0, 256, 256);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    EXPECT_EQ(recgl::texture(names[0])->copies, 1);
    glBindTexture(GL_TEXTURE_2D, names[1]);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 128, 128, 0);
    EXPECT_EQ(recgl::texture(names[1])->width, 128);
    EXPECT_EQ(recgl::texture(names[1])->internalFormat, GL_RGB);
}

TEST_F(RecordingLogTest, PowerOfTwoRuleIsOptional) {
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 100, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    recgl::requirePowerOfTwoTextures(true);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 100, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_VALUE));
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 128, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RecordingLogTest, QueriesConvertLikeGL) {
    glColor4f(1, 0.5f, 0, 1);
    GLint colour[4];
    glGetIntegerv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 2147483647);
    EXPECT_NEAR(colour[1], 1073741823, 1);
    EXPECT_EQ(colour[2], 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_EQ(modes[1], GL_LINE);
    glEnable(GL_FOG);
    GLboolean fog = GL_FALSE;
    glGetBooleanv(GL_FOG, &fog);
    EXPECT_EQ(fog, GL_TRUE);
    glPointSize(2.6f);
    GLint size = 0;
    glGetIntegerv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 3);
    GLdouble depth = 0;
    glGetDoublev(GL_ATTRIB_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 0.0);
    glGetIntegerv(GL_TEXTURE_ENV_MODE, &size);  // only glGetTexEnv knows it
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
}

TEST_F(RecordingLogTest, ReadPixelsFillsZerosWithinThePackedSize) {
    std::vector<std::uint8_t> buffer(3 * 2 * 3 + 8, 0xAB);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 3, 2, GL_RGB, GL_UNSIGNED_BYTE, buffer.data());
    for (std::size_t i = 0; i < 18; ++i)
        EXPECT_EQ(buffer[i], 0) << i;
    EXPECT_EQ(buffer[18], 0xAB);
}

TEST_F(RecordingLogTest, ClearLogForgetsCallsButKeepsState) {
    glEnable(GL_BLEND);
    glTranslatef(0, 0, -3);
    glBegin(GL_POINTS);
    glVertex2i(1, 1);
    glEnd();
    glPopMatrix();
    recgl::clearLog();
    EXPECT_TRUE(recgl::calls().empty());
    EXPECT_TRUE(recgl::primitives().empty());
    EXPECT_TRUE(recgl::misuse().empty());
    EXPECT_TRUE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(recgl::matrix(GL_MODELVIEW)[14], -3.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_UNDERFLOW));
}

TEST_F(RecordingLogTest, ResetReturnsToAFreshContext) {
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glEnable(GL_BLEND);
    glViewport(0, 0, 10, 10);
    glTranslatef(1, 1, 1);
    glPushAttrib(GL_ENABLE_BIT);
    glBegin(GL_POINTS);
    glPopMatrix();
    recgl::failNextGenTextures();
    recgl::reset();

    EXPECT_TRUE(recgl::calls().empty());
    EXPECT_TRUE(recgl::primitives().empty());
    EXPECT_TRUE(recgl::misuse().empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    const recgl::State& s = recgl::state();
    EXPECT_FALSE(s.insideBeginEnd);
    EXPECT_EQ(s.viewport, (std::array<GLint, 4>{0, 0, 640, 480}));
    EXPECT_EQ(s.attribDepth, 0);
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_TRUE(recgl::isEnabled(GL_DITHER));
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f);
    glGenTextures(1, &name);
    EXPECT_EQ(name, 1u);
    EXPECT_TRUE(recgl::liveTextures() == std::vector<GLuint>{1});
}

}  // namespace
