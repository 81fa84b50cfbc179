// The cube star scene in a real Mesa context, driven through the timeline:
// the texture holds the corner rendered in the same frame, the beat at order
// 12 row 0 whitens the frame, and the overlay shows over the torus scene.
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
using StarPicture = PictureSceneRig;

const int allPixels = width * height;

}  // namespace

TEST(CubeStarSceneRealGL, TextureHoldsTheStarRenderedInTheSameFrame) {
    StarPicture rig;
    for (int i = 0; i < 3; ++i) rig.frame(10, i, 20.0 + 0.05 * i);

    std::vector<std::uint8_t> texels(256 * 256 * 4);
    glBindTexture(GL_TEXTURE_2D, rig.cubeStar.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);

    // Render the star again in the pose this frame gave it, the way the
    // corner pass does, and compare.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, 256, 256);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 1.0, 0.1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -15);
    rig.cubeStar.cubeStar.draw(0.0f);
    const auto corner = rig.context.readPixels(0, 0, 256, 256);

    int lit = 0, differing = 0;
    for (std::size_t i = 0; i < corner.size(); i += 4) {
        lit += corner[i + 2] > 40;
        for (int c = 0; c < 3; ++c) differing += std::abs(corner[i + c] - texels[i + c]) > 2;
    }
    EXPECT_GT(lit, 2000) << "the star fills part of the corner";
    EXPECT_EQ(differing, 0);
}

TEST(CubeStarSceneRealGL, BeatAtOrderTwelveRowZeroWhitensTheFrame) {
    StarPicture rig;
    rig.frame(11, 0, 20.0);
    rig.frame(11, 1, 20.1);
    EXPECT_LT(rig.whitePixels(), allPixels / 20);
    rig.frame(12, 0, 25.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);
    rig.frame(12, 1, 26.0);
    EXPECT_LT(rig.whitePixels(), allPixels / 20);
    rig.frame(13, 61, 27.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);
}

TEST(CubeStarSceneRealGL, OverlayShowsTheStarOverTheTorus) {
    StarPicture rig;
    for (int i = 0; i < 3; ++i) rig.frame(21, i, 40.0);
    const std::vector<std::uint8_t> torusOnly = rig.pixels;
    rig.frame(22, 0, 40.0);

    // The star adds bright blue cubes; nothing else of the torus changes.
    int changed = 0, bluish = 0;
    for (std::size_t i = 0; i < torusOnly.size(); i += 4) {
        const bool differs = std::abs(torusOnly[i] - rig.pixels[i]) > 2 ||
                             std::abs(torusOnly[i + 1] - rig.pixels[i + 1]) > 2 ||
                             std::abs(torusOnly[i + 2] - rig.pixels[i + 2]) > 2;
        changed += differs;
        bluish += differs && rig.pixels[i + 2] >= rig.pixels[i] && rig.pixels[i + 2] > 100;
    }
    EXPECT_GT(changed, 3000);
    EXPECT_GT(bluish, changed * 9 / 10);
    EXPECT_EQ(torusWarmupCount, 2);
}
