// The real test context: it must hand back what was drawn into its back
// buffer, or every pixel test built on it compares against garbage.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "shell/HeadlessContext.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

TEST(HeadlessContextTest, ClearColourReadsBackEverywhere) {
    HeadlessContext context(320, 200);
    glClearColor(1.0f, 0.5f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const auto pixels = context.readPixels(0, 0, 320, 200);
    ASSERT_EQ(pixels.size(), 320u * 200u * 4u);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i], 255) << i;
        ASSERT_NEAR(pixels[i + 1], 128, 1) << i;
        ASSERT_NEAR(pixels[i + 2], 64, 1) << i;
        ASSERT_EQ(pixels[i + 3], 255) << i;
    }
}

TEST(HeadlessContextTest, PixelCountsFromTheBottomLeft) {
    HeadlessContext context(64, 48);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(0, 0, 64, 48);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 64, 0, 48, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0, 1, 0);
    glBegin(GL_QUADS);  // the lower-left 8 x 4 pixels
    glVertex2i(0, 0);
    glVertex2i(8, 0);
    glVertex2i(8, 4);
    glVertex2i(0, 4);
    glEnd();
    EXPECT_EQ(context.pixel(0, 0), (std::array<std::uint8_t, 4>{0, 255, 0, 255}));
    EXPECT_EQ(context.pixel(7, 3), (std::array<std::uint8_t, 4>{0, 255, 0, 255}));
    EXPECT_EQ(context.pixel(8, 3), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
    EXPECT_EQ(context.pixel(7, 4), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
    EXPECT_EQ(context.pixel(63, 47), (std::array<std::uint8_t, 4>{0, 0, 0, 255}));
}

TEST(HeadlessContextTest, ReadingLeavesPackAlignmentAndContextUsable) {
    HeadlessContext context(16, 16);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    context.pixel(0, 0);
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 16);
    EXPECT_EQ(viewport[3], 16);
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

TEST(HeadlessContextTest, ContextsCanBeMadeOneAfterAnother) {
    for (int i = 0; i < 3; ++i) {
        HeadlessContext context(32, 32);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_EQ(context.pixel(31, 31), (std::array<std::uint8_t, 4>{0, 0, 255, 255})) << i;
    }
}

TEST(HeadlessContextTest, FailureToStartVideoThrowsWithSdlsReasonAndLeavesNothingBehind) {
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    std::string message;
    try {
        HeadlessContext context(16, 16);
    } catch (const std::runtime_error& e) {
        message = e.what();
    }
    if (previous)
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");
    EXPECT_NE(message.find("no-such-driver"), std::string::npos) << message;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    HeadlessContext context(16, 16);  // a later context still comes up
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), Uint32(SDL_INIT_VIDEO));
}

}  // namespace
