// Cube grid scene in a real Mesa context, driven through the timeline: the
// lattice stays in the bottom-left 512 × 384 pixels, the two panels cover
// their rectangles the right way up, the pattern and blur textures hold what
// they should, and the scene can be destroyed after its context.
#include "tests/scenes/SceneRig.h"
#include "shell/HeadlessContext.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;
const Rgb red{220, 30, 30}, blue{30, 30, 220}, green{30, 200, 30}, yellow{220, 220, 30};

// A w × h 24-bit bitmap whose top half is `top` and bottom half `bottom`.
void writeTwoToneBmp(const std::string& path, int w, int h, Rgb top, Rgb bottom) {
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t imageBytes = rowBytes * h, fileBytes = 54 + imageBytes;
    std::vector<std::uint8_t> f(fileBytes, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    f[0] = 'B'; f[1] = 'M';
    put32(2, fileBytes); put32(10, 54); put32(14, 40); put32(18, w); put32(22, h);
    f[26] = 1; f[28] = 24; put32(34, imageBytes);
    for (int fileRow = 0; fileRow < h; ++fileRow) {  // bottom-up in the file
        const Rgb& c = fileRow < h / 2 ? bottom : top;
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &f[54 + fileRow * rowBytes + x * 3];
            p[0] = c[2]; p[1] = c[1]; p[2] = c[0];
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char*>(f.data()), f.size());
}

// Banner: red over blue. Strip: green over yellow.
void writeTwoToneBitmaps(const std::filesystem::path& root) {
    const std::string data = (root / "data").string();
    writeTwoToneBmp(data + "/code.bmp", 64, 16, red, blue);
    writeTwoToneBmp(data + "/shit.bmp", 16, 64, green, yellow);
}

void setUpWindowState(int width, int height) {
    applyInitialGLState();
    applyWindowProjection(width, height);
    glMatrixMode(GL_MODELVIEW);
}

// The first frame is cleared in whatever colour the scene before left (white
// here, the window's own), so pictures are checked on the second frame.
struct Rig : PictureSceneRig {
    Rig() : PictureSceneRig(640, 480, writeTwoToneBitmaps) {
        glMatrixMode(GL_MODELVIEW);
        onPresent = [this] { context.present(); };
    }
    void frame(unsigned order, unsigned row, double clock) {
        SceneRig::frame(order, row, clock);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "order " << order;
    }
    Rgb at(int x, int y) const {
        const std::uint8_t* p = &pixels[(std::size_t(y) * 640 + x) * 4];
        return {p[0], p[1], p[2]};
    }
};

bool close(const Rgb& a, const Rgb& b, int tolerance = 6) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > tolerance) return false;
    return true;
}

std::vector<std::uint8_t> textureTexels(GLuint name) {
    std::vector<std::uint8_t> texels(128 * 128 * 4);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

}  // namespace

TEST(CubeGridSceneRealGL, OutsideTheLatticeOnlyBlackAndThePanels) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(30, 1, 0.05);
    rig.pixels = rig.context.readPixels(0, 0, 640, 480);
    int bannerPixels = 0, stripPixels = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (x < 512 && y < 380) continue;  // the lattice's own area
            const Rgb c = rig.at(x, y);
            const bool inBanner = x < 400 && y >= 380 && y < 460;
            const bool inStrip = x >= 540 && y < 420;
            // One pixel either side of a panel edge may be partly covered.
            const bool onBannerEdge = (x >= 399 && x <= 400 && y >= 379 && y <= 460) ||
                                      ((y == 379 || y == 380 || y == 459 || y == 460) && x <= 400);
            const bool onStripEdge = (x >= 539 && x <= 540 && y <= 420) ||
                                     ((y == 419 || y == 420) && x >= 539);
            if (onBannerEdge || onStripEdge) continue;
            if (inBanner) {
                EXPECT_TRUE(close(c, red, 40) || close(c, blue, 40) ||
                            (c[1] < 60 && c[0] + c[2] > 200))
                    << "banner pixel " << x << "," << y;
                ++bannerPixels;
            } else if (inStrip) {
                EXPECT_TRUE(c[2] < 60 && c[1] > 180) << "strip pixel " << x << "," << y;
                ++stripPixels;
            } else if (x >= 512 || y >= 384) {
                ASSERT_EQ(c, (Rgb{0, 0, 0})) << "pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(bannerPixels, 398 * 78 - 10);
    EXPECT_GT(stripPixels, 98 * 418 - 10);
}

TEST(CubeGridSceneRealGL, PanelsShowTheirPicturesTheRightWayRound) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(30, 1, 0.05);
    rig.pixels = rig.context.readPixels(0, 0, 640, 480);
    // Banner upright: the picture's top (red) at the panel's top.
    EXPECT_TRUE(close(rig.at(200, 452), red)) << rig.at(200, 452)[0];
    EXPECT_TRUE(close(rig.at(200, 388), blue)) << rig.at(200, 388)[2];
    EXPECT_TRUE(close(rig.at(3, 445), red));
    EXPECT_TRUE(close(rig.at(3, 395), blue));
    // Strip turned: the picture's top row (green) lies along the left edge.
    EXPECT_TRUE(close(rig.at(548, 200), green)) << rig.at(548, 200)[1];
    EXPECT_TRUE(close(rig.at(632, 200), yellow)) << rig.at(632, 200)[0];
    // The banner overlaps the top rows of the lattice's area.
    EXPECT_TRUE(close(rig.at(100, 383), blue));
}

TEST(CubeGridSceneRealGL, LatticeGlowsInTheBottomLeftCorner) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(30, 1, 0.05);
    rig.pixels = rig.context.readPixels(0, 0, 640, 480);
    int lit = 0, bluish = 0;
    for (int y = 0; y < 378; ++y)
        for (int x = 0; x < 512; ++x) {
            const Rgb c = rig.at(x, y);
            if (c[0] + c[1] + c[2] > 20) ++lit;
            if (c[2] > c[0] && c[2] > 20) ++bluish;
        }
    EXPECT_GT(lit, 2000);
    EXPECT_GT(bluish, lit / 2);
}

TEST(CubeGridSceneRealGL, PatternAndBlurTexturesHoldTheirImages) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(30, 1, 0.05);
    const auto pattern = textureTexels(rig.cubeGrid.patternTexture);
    auto texel = [&](int row, int column) {
        const std::uint8_t* p = &pattern[(row * 128 + column) * 4];
        return Rgb{p[0], p[1], p[2]};
    };
    EXPECT_EQ(texel(3, 5), (Rgb{24, 25, 26}));
    EXPECT_EQ(texel(127, 0), (Rgb{252, 253, 254}));
    EXPECT_EQ(texel(64, 0), (Rgb{0, 1, 2}));

    // The blur texture holds the low-resolution lattice: some, not all, lit.
    const auto blur = textureTexels(rig.cubeGrid.blurTexture);
    int lit = 0;
    for (std::size_t i = 0; i < blur.size(); i += 4)
        if (blur[i] + blur[i + 1] + blur[i + 2] > 20) ++lit;
    EXPECT_GT(lit, 50);
    EXPECT_LT(lit, 128 * 128 / 2);
}

TEST(CubeGridSceneRealGL, DestroyedAfterItsContextWithoutCrashing) {
    FixtureFolder data({}, writeTwoToneBitmaps);
    auto context = std::make_unique<HeadlessContext>(640, 480);
    setUpWindowState(640, 480);
    auto scene = std::make_unique<CubeGridScene>();
    scene->draw(0.0f, nullptr);
    scene->draw(0.5f, nullptr);
    EXPECT_NE(scene->bannerTexture, 0u);
    context.reset();
    scene.reset();
    SUCCEED() << "the destructor ran with no current context";
}
