// Torus scene in a real Mesa context, driven through the timeline: the first
// frame draws nothing, and on a full frame the two white inset frames sit at
// the window pixels their ortho corners map to in the 640 × 461 viewport.
#include "tests/scenes/SceneRig.h"
#include "shell/HeadlessContext.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int windowWidth = 640;
constexpr int windowHeight = 461;

// A 640 × 461 window whose setup leaves the model-view matrix selected, and
// whose presents swap.
struct Rig : PictureSceneRig {
    Rig() : PictureSceneRig(windowWidth, windowHeight) {
        glMatrixMode(GL_MODELVIEW);
        onPresent = [this] { context.present(); };
    }
    void frame(unsigned order, unsigned row, double clock) {
        SceneRig::frame(order, row, clock);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "order " << order;
    }
    bool white(int x, int y) const {
        const std::uint8_t* p = &pixels[(std::size_t(y) * windowWidth + x) * 4];
        return p[0] >= 235 && p[1] >= 235 && p[2] >= 235;
    }
};

// Every white pixel of row y (or column x) lies within one pixel of one of
// the expected edges, and every edge has one.
void expectWhiteOnlyAt(const Rig& rig, bool row, int at, std::vector<double> edges, int from, int to) {
    std::vector<bool> seen(edges.size(), false);
    for (int i = from; i < to; ++i) {
        const bool isWhite = row ? rig.white(i, at) : rig.white(at, i);
        if (!isWhite) continue;
        bool near = false;
        for (std::size_t e = 0; e < edges.size(); ++e)
            if (std::abs(i - edges[e]) <= 1.5) near = seen[e] = true;
        EXPECT_TRUE(near) << (row ? "row " : "column ") << at << ": white at " << i;
    }
    for (std::size_t e = 0; e < edges.size(); ++e)
        EXPECT_TRUE(seen[e]) << (row ? "row " : "column ") << at << ": no edge near " << edges[e];
}

// Ortho y (−240 … 240) to window rows of the 461-pixel viewport.
double rowOf(double orthoY) { return (orthoY + 240.0) * windowHeight / 480.0; }

}  // namespace

TEST(TorusSceneRealGL, FirstFrameShowsOnlyTheClearedBackground) {
    Rig rig;
    rig.frame(14, 0, 3.0);
    rig.readBack();
    // Cleared before the scene started, with the clear colour then in force.
    for (std::size_t i = 0; i < rig.pixels.size(); i += 4)
        ASSERT_EQ(rig.pixels[i] + rig.pixels[i + 1] + rig.pixels[i + 2], 3 * 255) << "pixel " << i / 4;
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
}

TEST(TorusSceneRealGL, InsetFramesSitAtTheirPixelPositions) {
    Rig rig;
    rig.frame(14, 0, 9.0);
    rig.frame(14, 1, 10.0);
    rig.readBack();
    // Left frame: x −280 … −160 → 40 … 160, y −200 … −71 → rows 38.4 … 162.3.
    for (int y : {60, 100, 140}) expectWhiteOnlyAt(rig, true, y, {40, 160}, 0, 320);
    for (int x : {60, 100, 140})
        expectWhiteOnlyAt(rig, false, x, {rowOf(-200), rowOf(-71)}, 0, 230);
    // Right frame: x 160 … 280 → 480 … 600, y 82 … 211 → rows 309.3 … 433.2.
    for (int y : {330, 370, 410}) expectWhiteOnlyAt(rig, true, y, {480, 600}, 320, 640);
    for (int x : {500, 540, 580})
        expectWhiteOnlyAt(rig, false, x, {rowOf(82), rowOf(211)}, 230, 461);
}

TEST(TorusSceneRealGL, TunnelAndInsetsAreDrawn) {
    Rig rig;
    rig.frame(14, 0, 9.0);
    rig.frame(14, 1, 10.0);
    rig.readBack();
    auto countLit = [&](int x0, int y0, int x1, int y1, bool bluish) {
        int lit = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* p = &rig.pixels[(std::size_t(y) * windowWidth + x) * 4];
                if (p[0] + p[1] + p[2] > 30 && (!bluish || p[2] > p[0] + 20)) ++lit;
            }
        return lit;
    };
    // The blue tube wall fills much of the picture; far down the tunnel, in
    // the middle, the fog has turned it black.
    EXPECT_GT(countLit(0, 0, 640, 461, true), 640 * 461 / 4);
    EXPECT_EQ(countLit(300, 200, 340, 260, false), 0);
    // Each inset viewport shows its grey torus.
    EXPECT_GT(countLit(45, 45, 155, 155, false), 200);
    EXPECT_GT(countLit(485, 315, 595, 428, false), 200);

    GLint viewport[4], polygonMode[2];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 461);
    EXPECT_EQ(polygonMode[0], GL_LINE);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
