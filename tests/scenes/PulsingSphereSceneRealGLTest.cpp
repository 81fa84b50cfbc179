// The pulsing sphere scene in a real Mesa context, driven through the
// timeline: a beat row covers the frame in white, and the lilac discs show
// their pulse fading back to the resting transparency.
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
using PulsingPicture = PictureSceneRig;

const int allPixels = width * height;

}  // namespace

namespace {

// The second disc's centre: ortho (-258, -150) in the 640 × 480 window.
constexpr int discX = 62;
constexpr int discY = 90;

void expectDiscColour(const Rgba& p, float alpha) {
    // Lilac (0.8, 0.6, 1.0) blended over the black background.
    EXPECT_NEAR(p[0], 204 * alpha, 3);
    EXPECT_NEAR(p[1], 153 * alpha, 3);
    EXPECT_NEAR(p[2], 255 * alpha, 3);
}

}  // namespace

TEST(PulsingSphereSceneRealGL, BeatRowTurnsTheWholeFrameWhite) {
    PulsingPicture rig;
    rig.frame(4, 0, 10.0);
    rig.frame(6, 11, 11.0);
    EXPECT_LT(rig.whitePixels(), allPixels / 100) << "black fog background";
    EXPECT_GT(rig.count([](const Rgba& p) { return p[2] > 60 && p[0] > 40; }), 1000)
        << "sphere and discs show";

    rig.frame(6, 12, 12.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);
    rig.frame(8, 52, 13.0);
    EXPECT_EQ(rig.whitePixels(), allPixels);

    // Not a beat: order 5 has none, and the row after a beat has faded out.
    rig.frame(5, 12, 14.0);
    EXPECT_LT(rig.whitePixels(), allPixels / 100);
    rig.frame(8, 53, 15.0);
    EXPECT_LT(rig.whitePixels(), allPixels / 100);
}

TEST(PulsingSphereSceneRealGL, DiscsPulseFromOpaqueBackToTheirRest) {
    PulsingPicture rig;
    rig.frame(4, 0, 10.0);
    rig.frame(4, 1, 10.5);
    expectDiscColour(rig.at(discX, discY), 0.4f);

    rig.frame(7, 20, 11.0);
    // One fifth of a second later the flash is over (0.8 units) and the
    // disc pulse (5 units) is a fifth of the way back.
    rig.frame(7, 21, 11.2);
    expectDiscColour(rig.at(discX, discY), 0.88f);
    rig.frame(7, 22, 11.5);
    expectDiscColour(rig.at(discX, discY), 0.7f);
    rig.frame(7, 30, 12.5);
    expectDiscColour(rig.at(discX, discY), 0.4f);
}

TEST(PulsingSphereSceneRealGL, BandLinesAreOpaqueWhite) {
    PulsingPicture rig;
    rig.frame(4, 0, 10.0);
    // Ortho y -116 and -184 are window rows 124 and 56.
    int whiteOnUpper = 0, whiteOnLower = 0;
    for (int x = 0; x < width; ++x) {
        whiteOnUpper += rig.at(x, 124) == Rgba{255, 255, 255, rig.at(x, 124)[3]};
        whiteOnLower += rig.at(x, 56) == Rgba{255, 255, 255, rig.at(x, 56)[3]};
    }
    EXPECT_GT(whiteOnUpper, width / 2);
    EXPECT_GT(whiteOnLower, width / 2);
}
