// Disc in a real Mesa context: the state it changes for what follows (blend
// and fog off, fill mode, texture 0) and the pixels of a blended fan.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "objects/Disc.h"
#include "tests/objects/OverlayRealGL.h"

namespace {

using namespace glq;

using DiscRealGL = OverlayRealGL;

TEST_F(DiscRealGL, LeavesBlendAndFogOffFillModeAndTextureZero) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    Disc disc(8, 30.0f);
    disc.setColor(0.0f, 1.0f, 0.0f, 1.0f);
    disc.draw(0.0f);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_EQ(polygonMode(), (std::array<GLint, 2>{GL_FILL, GL_FILL}));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    EXPECT_FLOAT_EQ(c[0], 0.1f);
    EXPECT_FLOAT_EQ(c[1], 0.2f);
    EXPECT_FLOAT_EQ(c[2], 0.3f);
    EXPECT_FLOAT_EQ(c[3], 0.4f);
    expectBalanced();
    glDeleteTextures(1, &texture);
}

TEST_F(DiscRealGL, OutlineLeavesLineModeAndRestoresLineWidth) {
    glLineWidth(2.0f);
    Disc disc(8, 30.0f);
    disc.outlined = true;
    disc.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    disc.draw(0.0f);
    EXPECT_EQ(polygonMode(), (std::array<GLint, 2>{GL_LINE, GL_LINE}));
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 2.0f);
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    expectBalanced();
}

TEST_F(DiscRealGL, HalfTransparentFanBlendsOverTheBackground) {
    Disc disc(8, 30.0f);
    disc.setColor(1.0f, 0.0f, 0.0f, 0.5f);
    disc.setPosition(-100.0f, 0.0f, 0.0f);
    disc.draw(0.0f);
    disc.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    disc.setPosition(100.0f, 0.0f, 0.0f);
    disc.draw(99.0f);

    const auto left = context->pixel(220, 240);
    EXPECT_NEAR(left[0], 128, 2);
    EXPECT_EQ(left[1], 0);
    EXPECT_EQ(left[2], 0);
    const auto right = context->pixel(420, 240);
    EXPECT_EQ(right[0], 0);
    EXPECT_EQ(right[2], 255);
    // Outside the rim stays background; inside near the rim is covered.
    EXPECT_EQ(context->pixel(220 + 40, 240)[0], 0);
    EXPECT_GT(context->pixel(220, 240 + 24)[0], 100);
    expectBalanced();
}

}  // namespace
