// Dot cylinder in a real Mesa context: point size 3 and the blend function
// are what the draw leaves behind; everything else comes back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <memory>

#include "objects/DotCylinder.h"
#include "tests/support/RealGLContext.h"

namespace {

GLint integer(GLenum what) {
    GLint values[4] = {0, 0, 0, 0};
    glGetIntegerv(what, values);
    return values[0];
}

TEST(DotCylinderRealGL, LeavesPointSizeThreeAndRestoresTheRest) {
    RealGLContext context(640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPointSize(7.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDepthFunc(GL_LEQUAL);
    glColor4f(0.5f, 0.25f, 1.0f, 0.75f);

    DotCylinder cylinder(4.0f, 2, 4.0f, 20.0f);
    cylinder.setRotation(30.0f, 20.0f, 10.0f);
    cylinder.draw();

    GLfloat size = 0.0f;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_FLOAT_EQ(size, 3.0f);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    std::array<GLint, 2> modes{0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes.data());
    EXPECT_EQ(modes, (std::array<GLint, 2>{GL_LINE, GL_LINE}));
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LEQUAL);
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    EXPECT_FLOAT_EQ(c[1], 0.25f);
    EXPECT_FLOAT_EQ(c[3], 0.75f);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_ATTRIB_STACK_DEPTH), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
