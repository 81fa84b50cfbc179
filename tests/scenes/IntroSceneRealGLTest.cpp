// The intro scene in a real Mesa context, driven through the timeline: a
// first frame of plain white, grey dot spheres once faded in, and the black
// background its stop hands on.
#include "tests/scenes/SceneRig.h"
#include "shell/HeadlessContext.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int width = 640;
constexpr int height = 480;

// The fullscreen window's size.
using IntroPicture = PictureSceneRig;

const int allPixels = width * height;

}  // namespace

TEST(IntroSceneRealGL, FirstFrameIsPlainWhite) {
    IntroPicture rig;
    rig.frame(0, 0, 0.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);
}

TEST(IntroSceneRealGL, FadedInCarouselShowsGreyDotsOnWhite) {
    IntroPicture rig;
    for (int i = 0; i <= 8; ++i) rig.frame(i < 4 ? 0 : 1, i, 0.5 * i);
    const int dark = rig.count([](const Rgba& p) { return p[0] < 230; });
    const int white = rig.whitePixels();
    EXPECT_GT(dark, 2000) << "the spheres and the cylinder show";
    EXPECT_GT(white, allPixels / 2) << "on a white background";
    // Grey, not tinted: the fade colour is the same in all three channels.
    const int tinted = rig.count([](const Rgba& p) {
        return std::abs(p[0] - p[1]) > 3 || std::abs(p[1] - p[2]) > 3;
    });
    EXPECT_EQ(tinted, 0);
}

TEST(IntroSceneRealGL, StopHandsOnBlackWhiteColourAndCulling) {
    IntroPicture rig;
    for (int i = 0; i < 4; ++i) rig.frame(i, 0, 0.4 * i);
    // Orders past 39 draw nothing, so a frame shows its clear colour alone.
    // The first one was cleared before the stop ran, still in white.
    rig.frame(40, 0, 2.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);
    rig.frame(40, 1, 2.1);
    EXPECT_EQ(rig.count([](const Rgba& p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }),
              allPixels);
    GLfloat clear[4], colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ((std::array<float, 4>{clear[0], clear[1], clear[2], clear[3]}),
              (std::array<float, 4>{0, 0, 0, 1}));
    EXPECT_EQ((std::array<float, 4>{colour[0], colour[1], colour[2], colour[3]}),
              (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(rig.intro.stopCount, 1);
}
