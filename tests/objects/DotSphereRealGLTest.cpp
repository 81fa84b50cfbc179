// Dot sphere and pulsing sphere in a real Mesa context: the state each draw
// leaves behind read back with glGet*, and the line mode showing up on the
// next filled polygon, so the recording GL is checked against the real thing.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "objects/DotSphere.h"
#include "objects/PulsingSphere.h"
#include "tests/objects/OverlayRealGL.h"

namespace {

using namespace glq;

using SphereRealGL = OverlayRealGL;

TEST_F(SphereRealGL, DotSphereLeavesLineModeAndBlendFunctionOnly) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    glPointSize(2.0f);
    DotSphere sphere(20.0f, 50.0f);
    sphere.setPosition(10.0f, 20.0f, 0.0f);
    sphere.setRotation(30.0f, 60.0f, 90.0f);
    sphere.draw(0.0f);

    EXPECT_EQ(polygonMode(), (std::array<GLint, 2>{GL_LINE, GL_LINE}));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FLOAT_EQ(real(GL_POINT_SIZE), 2.0f);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_EQ(integer(GL_POINT_SMOOTH_HINT), GL_DONT_CARE);
    const auto c = color();
    EXPECT_FLOAT_EQ(c[0], 0.2f);
    EXPECT_FLOAT_EQ(c[1], 0.4f);
    EXPECT_FLOAT_EQ(c[2], 0.6f);
    EXPECT_FLOAT_EQ(c[3], 0.8f);
    expectBalanced();
}

TEST_F(SphereRealGL, AFilledQuadAfterTheSphereComesOutAsAnOutline) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DotSphere sphere(20.0f, 20.0f);
    sphere.setPosition(-200.0f, 0.0f, 0.0f);
    sphere.draw(0.0f);
    glBegin(GL_QUADS);
    glVertex2f(100.0f, -50.0f);
    glVertex2f(200.0f, -50.0f);
    glVertex2f(200.0f, 50.0f);
    glVertex2f(100.0f, 50.0f);
    glEnd();
    // Window centre of the quad is (470, 240): empty inside, lit on its edge.
    EXPECT_EQ(context->pixel(470, 240)[0], 0);
    int lit = 0;
    for (int y = 285; y <= 294; ++y) {
        lit += context->pixel(470, y)[0] > 128 ? 1 : 0;
    }
    EXPECT_GE(lit, 1);
    // The sphere itself drew something around its own centre (120, 240).
    int sphereLit = 0;
    for (int y = 215; y <= 265; ++y) {
        for (int x = 95; x <= 145; ++x) {
            sphereLit += context->pixel(x, y)[0] > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(sphereLit, 50);
    expectBalanced();
}

TEST_F(SphereRealGL, PulsingSphereLeavesLineModeBlendFunctionAndTextureZero) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_NE(texture, 0u);
    glColor4f(0.3f, 0.3f, 0.3f, 1.0f);
    glPointSize(1.5f);
    PulsingSphere sphere;
    sphere.animate(3.0f);
    sphere.draw(3.0f);

    EXPECT_EQ(polygonMode(), (std::array<GLint, 2>{GL_LINE, GL_LINE}));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_FLOAT_EQ(real(GL_POINT_SIZE), 1.5f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    const auto c = color();
    EXPECT_FLOAT_EQ(c[0], 0.3f);
    EXPECT_FLOAT_EQ(c[3], 1.0f);
    expectBalanced();
    glDeleteTextures(1, &texture);
}

}  // namespace
