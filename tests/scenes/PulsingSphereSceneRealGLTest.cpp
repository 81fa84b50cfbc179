// The pulsing sphere scene in a real Mesa context, driven through the
// timeline: a beat row covers the frame in white, and the lilac discs show
// their pulse fading back to the resting transparency.
#include "demo/Timeline.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"
#include "tests/fixtures/FixtureData.h"
#include "tests/support/RealGLContext.h"
#include "tests/support/ScriptedMusic.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr int width = 640;
constexpr int height = 480;

// The cube grid scene loads its bitmaps from the working directory.
struct WorkingDirectory {
    explicit WorkingDirectory(const std::filesystem::path& dir)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }
    std::filesystem::path previous;
};

using Rgba = std::array<std::uint8_t, 4>;

// The scenes are built before the context and outlive it, as in the demo, so
// their destructors also run without a current context.
struct PulsingPicture {
    PulsingPicture() {
        // The window's initial state and first resize.
        glClearColor(1, 1, 1, 0);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_DEPTH_TEST);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, double(width) / height, 0.1, 10000.0);
    }
    // Draws one frame and reads it back; the frame is never swapped, so the
    // back buffer still holds it.
    void frame(unsigned order, unsigned row, double seconds) {
        music.set(order, row);
        now = seconds;
        timeline.renderFrame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << order << "/" << row;
        pixels = context.readPixels(0, 0, width, height);
    }
    Rgba at(int x, int y) const {
        const std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    template <typename Test>
    int count(Test test) const {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    int whitePixels() const {
        return count([](const Rgba& p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; });
    }

    FixtureDataDir data;
    WorkingDirectory cwd{data.path()};
    IntroScene intro;
    PulsingSphereScene pulsingSphere;
    CubeStarScene cubeStar;
    TorusScene torus;
    CubeGridScene cubeGrid;
    RealGLContext context{width, height};
    ScriptedMusic music;
    double now = 0.0;
    int presents = 0;
    Timeline timeline{intro, pulsingSphere, cubeStar, torus, cubeGrid, music,
                      [this] { return now; }, [this] { ++presents; }};
    std::vector<std::uint8_t> pixels;
};

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
