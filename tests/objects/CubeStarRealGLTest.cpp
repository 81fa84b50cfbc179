// CubeStar and the two tori in a real Mesa context: the state each draw
// leaves behind, read back with glGet*, so the recording GL's bookkeeping is
// checked against a real implementation.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <memory>

#include "objects/CubeStar.h"
#include "objects/WireTorus.h"
#include "objects/WobbleTorus.h"
#include "shell/HeadlessContext.h"
#include "tests/support/GLQueries.h"

namespace {

using namespace glq;

class StarAndToriRealGL : public ::testing::Test {
protected:
    void SetUp() override {
        context = std::make_unique<HeadlessContext>(640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.1, 0.1, -0.075, 0.075, 0.1, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        ASSERT_NE(texture, 0u);
    }
    void TearDown() override {
        glDeleteTextures(1, &texture);
        context.reset();
    }
    std::unique_ptr<HeadlessContext> context;
    GLuint texture = 0;
};

}  // namespace

TEST_F(StarAndToriRealGL, CubeStarMainStyleState) {
    CubeStar star;
    star.setPosition(1.3f, 0.5f, 2.0f);
    star.setRotation(40.0f, 40.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -8.0f);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glEnable(GL_BLEND);
    glDisable(GL_FOG);
    star.draw(0.0f);
    EXPECT_TRUE(enabled(GL_FOG));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_TRUE(enabled(GL_TEXTURE_2D));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture));
    const auto c = color();
    EXPECT_FLOAT_EQ(c[0], 0.25f);
    EXPECT_FLOAT_EQ(c[1], 0.5f);
    EXPECT_FLOAT_EQ(c[2], 0.75f);
    EXPECT_FLOAT_EQ(c[3], 1.0f);
    EXPECT_EQ(polygonMode()[0], GL_FILL);
    EXPECT_EQ(polygonMode()[1], GL_FILL);
    expectBalanced();
}

TEST_F(StarAndToriRealGL, CubeStarOverlayStyleState) {
    CubeStar star;
    star.overlayStyle = 1;
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    star.draw(0.0f);
    EXPECT_TRUE(enabled(GL_FOG));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_TEXTURE_2D));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
    EXPECT_FLOAT_EQ(color()[3], 0.5f);
    expectBalanced();
}

TEST_F(StarAndToriRealGL, ToriLeaveWhiteTextureZeroAndTheCallersModes) {
    WireTorus ringTorus(1.0f, 3.0f, 32, 3.0f, 40.0f);
    WobbleTorus wobbleTorus(1.0f, 3.0f, 128, 3.0f, 40.0f);
    ringTorus.style = WireTorus::RingLoops;
    ringTorus.setPosition(0.0f, 0.0f, -30.0f);
    wobbleTorus.setPosition(0.0f, -8.5f, -6.0f);

    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    ringTorus.draw();
    for (float component : color()) EXPECT_FLOAT_EQ(component, 1.0f);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_LINE_SMOOTH));
    EXPECT_EQ(polygonMode()[0], GL_FILL);
    expectBalanced();

    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    wobbleTorus.draw();
    for (float component : color()) EXPECT_FLOAT_EQ(component, 1.0f);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_LINE_SMOOTH));
    EXPECT_EQ(polygonMode()[0], GL_POINT);
    EXPECT_EQ(polygonMode()[1], GL_POINT);
    expectBalanced();
}

TEST_F(StarAndToriRealGL, WireTorusLightsPixelsOnlyWhereTheRingIs) {
    WireTorus ringTorus(1.0f, 3.0f, 32, 3.0f, 40.0f);
    ringTorus.style = WireTorus::RingLoops;
    ringTorus.setPosition(0.0f, 0.0f, -30.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ringTorus.draw();
    glFinish();
    // The torus hole around the view axis stays black; the ring is grey.
    const auto centre = context->pixel(320, 240);
    EXPECT_EQ(centre[0], 0);
    int lit = 0;
    for (auto value : context->readPixels(0, 0, 640, 480)) lit += value > 0 ? 1 : 0;
    EXPECT_GT(lit, 1000);
}
