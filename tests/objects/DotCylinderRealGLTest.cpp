// Dot cylinder in a real Mesa context: point size 3 and the blend function
// are what the draw leaves behind; everything else comes back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "objects/DotCylinder.h"
#include "tests/objects/OverlayRealGL.h"

namespace {

using namespace glq;

using DotCylinderRealGL = OverlayRealGL;

TEST_F(DotCylinderRealGL, LeavesPointSizeThreeAndRestoresTheRest) {
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
    EXPECT_EQ(polygonMode(), (std::array<GLint, 2>{GL_LINE, GL_LINE}));
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LEQUAL);
    const std::array<float, 4> c = color();
    EXPECT_FLOAT_EQ(c[1], 0.25f);
    EXPECT_FLOAT_EQ(c[3], 0.75f);
    expectBalanced();
}

}  // namespace
