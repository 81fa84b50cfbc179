// The intro scene in a real Mesa context, driven through the timeline: a
// first frame of plain white, grey dot spheres once faded in, and the black
// background its stop hands on.
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
struct IntroPicture {
    IntroPicture() {
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
