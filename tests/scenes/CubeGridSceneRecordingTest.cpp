// Cube grid scene call sequences, driven through the real timeline with the
// recording GL: texture creation on the first frame, the camera at time 0,
// the low-resolution pass, the zoom-blur layers, the panels, the state left
// behind, the failure paths of loading and of texture names.
#include "shell/CError.h"
#include "tests/scenes/SceneRig.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

void setUpWindowState() {
    recgl::reset();
    applyInitialGLState();
    applyWindowProjection(640, 461);
    glMatrixMode(GL_MODELVIEW);
}

// A 640 × 461 window whose setup leaves the model-view matrix selected.
struct Rig : RecordingSceneRig {
    Rig() : RecordingSceneRig(640, 461) { glMatrixMode(GL_MODELVIEW); }
};

}  // namespace

TEST(CubeGridScenePattern, XorRampTexels) {
    std::vector<std::uint8_t> texels(128 * 128 * 4, 0xAB);
    CubeGridScene::fillPatternTexels(texels.data());
    auto texel = [&](int row, int column) {
        const std::uint8_t* p = &texels[(row * 128 + column) * 4];
        return std::array<int, 4>{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(texel(3, 5), (std::array<int, 4>{24, 25, 26, 0xAB}));
    EXPECT_EQ(texel(127, 0), (std::array<int, 4>{252, 253, 254, 0xAB}));
    EXPECT_EQ(texel(64, 0), (std::array<int, 4>{0, 1, 2, 0xAB}));
    EXPECT_EQ(texel(0, 127), (std::array<int, 4>{252, 253, 254, 0xAB}));
    EXPECT_EQ(texel(127, 127), (std::array<int, 4>{0, 1, 2, 0xAB}));
}

TEST(CubeGridSceneLoading, ConstructorLoadsBothImagesWithoutTouchingGL) {
    FixtureFolder data;
    recgl::reset();
    CubeGridScene scene;
    EXPECT_EQ(recgl::calls().size(), 0u);
    EXPECT_EQ(scene.bannerImage.width, codeBmpWidth);
    EXPECT_EQ(scene.bannerImage.height, codeBmpHeight);
    EXPECT_EQ(scene.stripImage.width, shitBmpWidth);
    EXPECT_EQ(scene.stripImage.height, shitBmpHeight);
    ASSERT_NE(scene.bannerImage.pixels, nullptr);
    ASSERT_NE(scene.stripImage.pixels, nullptr);
    // Banner from code.bmp, strip from shit.bmp, not the other way round.
    const auto* banner = reinterpret_cast<const std::uint8_t*>(scene.bannerImage.pixels.get());
    const FixtureRgb corner = fixturePixel(codeBmpWidth - 1, 0, codeBmpWidth, codeBmpHeight);
    const int last = (codeBmpWidth - 1) * 4;
    EXPECT_EQ((std::array<int, 3>{banner[last], banner[last + 1], banner[last + 2]}),
              (std::array<int, 3>{corner.red, corner.green, corner.blue}));
}

TEST(CubeGridSceneLoading, AnyUnreadableImageGivesErrorLoadinGraphix) {
    auto options = [](FixtureFile code, FixtureFile shit) {
        FixtureDataOptions o;
        o.codeBmp = code;
        o.shitBmp = shit;
        return o;
    };
    const std::vector<FixtureDataOptions> cases = {
        options(FixtureFile::Missing, FixtureFile::Missing),
        options(FixtureFile::Valid, FixtureFile::Missing),
        options(FixtureFile::Missing, FixtureFile::Valid),
        options(FixtureFile::Valid, FixtureFile::Garbage),
        options(FixtureFile::Empty, FixtureFile::Valid)};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        FixtureFolder data(cases[i]);
        try {
            CubeGridScene scene;
            ADD_FAILURE() << "construction succeeded for case " << i;
        } catch (const CError& error) {
            EXPECT_EQ(error.message(), "Error loadin graphix");
        }
    }
}

TEST(CubeGridSceneRecording, FirstFrameMakesTexturesAndDrawsEverything) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    EXPECT_TRUE(rig.cubeGrid.started);
    EXPECT_EQ(rig.frameCalls("glGenTextures").size(), 4u);
    auto uploads = rig.frameCalls("glTexImage2D");
    ASSERT_EQ(uploads.size(), 4u);
    expectArgs(uploads[0], {GL_TEXTURE_2D, 0, 4, codeBmpWidth, codeBmpHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE});
    expectArgs(uploads[1], {GL_TEXTURE_2D, 0, 4, shitBmpWidth, shitBmpHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE});
    expectArgs(uploads[2], {GL_TEXTURE_2D, 0, 4, 128, 128, 0, GL_RGBA, GL_UNSIGNED_BYTE});
    expectArgs(uploads[3], {GL_TEXTURE_2D, 0, 4, 128, 128, 0, GL_RGBA, GL_UNSIGNED_BYTE});
    const unsigned names[4] = {rig.cubeGrid.bannerTexture, rig.cubeGrid.stripTexture,
                               rig.cubeGrid.blurTexture, rig.cubeGrid.patternTexture};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(names[i], 0u);
        for (int j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
    }
    EXPECT_FALSE(recgl::isEnabled(GL_FOG));

    // Two passes of 125 cubes, one block of blur layers, two panels.
    auto primitives = rig.framePrimitives();
    ASSERT_EQ(primitives.size(), 253u);
    for (const auto& p : primitives) EXPECT_EQ(p.mode, static_cast<GLenum>(GL_QUADS));
    EXPECT_EQ(primitives[0].vertices.size(), 24u);
    EXPECT_EQ(primitives[249].vertices.size(), 24u);
    EXPECT_EQ(primitives[250].vertices.size(), 100u);
    EXPECT_EQ(rig.presents, 0) << "the first two frames are warm-up";
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(CubeGridSceneRecording, CameraAtTimeZero) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    auto perspective = rig.frameCalls("gluPerspective");
    ASSERT_EQ(perspective.size(), 1u);
    EXPECT_DOUBLE_EQ(perspective[0].args.at(0), 45.0);
    EXPECT_DOUBLE_EQ(perspective[0].args.at(1), static_cast<double>(1.33333f));
    EXPECT_DOUBLE_EQ(perspective[0].args.at(2), static_cast<double>(0.1f));
    EXPECT_DOUBLE_EQ(perspective[0].args.at(3), 5000.0);
    auto lookAt = rig.frameCalls("gluLookAt");
    ASSERT_EQ(lookAt.size(), 1u);
    expectArgs(lookAt[0], {200, 0, 0, 0, 0, 0, 0, 1, 0});
    auto rotations = rig.frameCalls("glRotatef");
    ASSERT_EQ(rotations.size(), 3u);
    expectArgs(rotations[0], {25, 1, 0, 0});
    expectArgs(rotations[1], {100, 0, 1, 0});
    expectArgs(rotations[2], {25, 0, 0, 1});
}

TEST(CubeGridSceneRecording, CameraFollowsItsLissajousPath) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(31, 0, 5.0);
    auto lookAt = rig.frameCalls("gluLookAt");
    ASSERT_EQ(lookAt.size(), 1u);
    expectArgs(lookAt[0], {200 * std::cos(5 * 4.0 / 17), 200 * std::sin(5 * 4.0 / 13),
                           200 * std::sin(4.0), 0, 0, 0, 0, 1, 0});
    auto rotations = rig.frameCalls("glRotatef");
    ASSERT_EQ(rotations.size(), 3u);
    EXPECT_NEAR(rotations[0].args[0], 25 * std::cos(0.25) + 180 * std::sin(0.5), 1e-3);
    EXPECT_NEAR(rotations[1].args[0], 20.5 * std::sin(5.0 / 12) + 100 * std::cos(0.5), 1e-3);
    EXPECT_NEAR(rotations[2].args[0], 25 * std::cos(5.0 / 60) + 130 * std::sin(0.625), 1e-3);
}

TEST(CubeGridSceneRecording, LowResolutionPassIsCopiedThenCleared) {
    Rig rig;
    rig.frame(30, 0, 1.0);
    auto viewports = rig.frameCalls("glViewport");
    ASSERT_EQ(viewports.size(), 3u);
    expectArgs(viewports[0], {0, 0, 128, 128});
    expectArgs(viewports[1], {0, 0, 512, 384});
    expectArgs(viewports[2], {0, 0, 640, 480});

    // Walk the frame's calls: the copy lands in the blur texture after the
    // first lattice pass, and the buffer is cleared right after.
    const auto& all = recgl::calls();
    GLuint bound = 0;
    int copies = 0;
    bool clearedAfterCopy = false;
    for (std::size_t i = rig.callMark; i < all.size(); ++i) {
        if (all[i].name == "glBindTexture") bound = static_cast<GLuint>(all[i].args.at(1));
        if (all[i].name == "glCopyTexImage2D") {
            ++copies;
            EXPECT_EQ(bound, rig.cubeGrid.blurTexture);
            expectArgs(all[i], {GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 128, 128, 0});
            ASSERT_LT(i + 1, all.size());
            clearedAfterCopy = all[i + 1].name == "glClear";
        }
    }
    EXPECT_EQ(copies, 1);
    EXPECT_TRUE(clearedAfterCopy);
}

TEST(CubeGridSceneRecording, LatticeIsFiveCubedInVioletBlue) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    auto primitives = rig.framePrimitives();
    ASSERT_GE(primitives.size(), 250u);
    // i outermost, k innermost: cube 1 moves along z, cube 124 is the far corner.
    auto expectNear = [](std::array<float, 3> got, std::array<float, 3> want) {
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(got[a], want[a], 1e-4) << "axis " << a;
    };
    auto centre = [](const recgl::Primitive& p) {
        std::array<float, 3> sum{0, 0, 0};
        for (const auto& v : p.vertices)
            for (int a = 0; a < 3; ++a) sum[a] += v.object[a] / 24.0f;
        return sum;
    };
    for (int pass = 0; pass < 2; ++pass) {
        const auto& first = primitives[pass * 125];
        expectNear(centre(first), {-54, -54, -54});
        expectNear(centre(primitives[pass * 125 + 1]), {-54, -54, -27});
        expectNear(centre(primitives[pass * 125 + 124]), {54, 54, 54});
        for (const auto& v : first.vertices) {
            for (int a = 0; a < 3; ++a) EXPECT_FLOAT_EQ(std::abs(v.object[a] + 54.0f), 2.0f);
            EXPECT_NEAR(v.color[0], 64 / 255.0, 1e-6);
            EXPECT_NEAR(v.color[1], 32 / 255.0, 1e-6);
            EXPECT_NEAR(v.color[2], 1.0, 1e-6);
            EXPECT_NEAR(v.color[3], 1.0, 1e-6);
        }
        // +Z face first, texture corners (0,0) (1,0) (1,1) (0,1).
        EXPECT_EQ(first.vertices[0].texCoord, (std::array<float, 2>{0, 0}));
        EXPECT_EQ(first.vertices[2].texCoord, (std::array<float, 2>{1, 1}));
        EXPECT_FLOAT_EQ(first.vertices[0].object[2], -52.0f);
    }
    // Both passes are wireframe and end back in fill mode.
    auto modes = rig.frameCalls("glPolygonMode");
    ASSERT_GE(modes.size(), 4u);
    expectArgs(modes[0], {GL_FRONT_AND_BACK, GL_LINE});
    expectArgs(modes[1], {GL_FRONT_AND_BACK, GL_FILL});
    expectArgs(modes[2], {GL_FRONT_AND_BACK, GL_LINE});
    expectArgs(modes[3], {GL_FRONT_AND_BACK, GL_FILL});
}

TEST(CubeGridSceneRecording, ZoomBlurLayersGrowAndFade) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    auto primitives = rig.framePrimitives();
    ASSERT_EQ(primitives.size(), 253u);
    const auto& blur = primitives[250];
    ASSERT_EQ(blur.vertices.size(), 100u);
    for (int q = 0; q < 25; ++q) {
        const auto* v = &blur.vertices[q * 4];
        const float s = 0.015f * q;
        EXPECT_NEAR(v[0].color[3], 0.2 - 0.008 * q, 1e-5) << "layer " << q;
        EXPECT_NEAR(v[0].texCoord[0], s, 1e-5);
        EXPECT_NEAR(v[0].texCoord[1], 1 - s, 1e-5);
        EXPECT_NEAR(v[2].texCoord[0], 1 - s, 1e-5);
        EXPECT_NEAR(v[2].texCoord[1], s, 1e-5);
        EXPECT_EQ((std::array<float, 2>{v[0].eye[0], v[0].eye[1]}), (std::array<float, 2>{0, 0}));
        EXPECT_EQ((std::array<float, 2>{v[1].eye[0], v[1].eye[1]}), (std::array<float, 2>{0, 384}));
        EXPECT_EQ((std::array<float, 2>{v[2].eye[0], v[2].eye[1]}), (std::array<float, 2>{512, 384}));
        EXPECT_EQ((std::array<float, 2>{v[3].eye[0], v[3].eye[1]}), (std::array<float, 2>{512, 0}));
    }
    EXPECT_NEAR(blur.vertices[96].texCoord[0], 0.36, 1e-5);
    auto blends = rig.frameCalls("glBlendFunc");
    ASSERT_GE(blends.size(), 1u);
    expectArgs(blends[0], {GL_SRC_ALPHA, GL_ONE});
    auto orthos = rig.frameCalls("glOrtho");
    ASSERT_EQ(orthos.size(), 2u);
    expectArgs(orthos[0], {0, 512, 384, 0, -1, 1});
    expectArgs(orthos[1], {-320, 320, -240, 240, -10, 200});
}

TEST(CubeGridSceneRecording, PanelsAreUprightBannerAndTurnedStrip) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    auto primitives = rig.framePrimitives();
    ASSERT_EQ(primitives.size(), 253u);
    const auto& banner = primitives[251];
    const auto& strip = primitives[252];
    ASSERT_EQ(banner.vertices.size(), 4u);
    ASSERT_EQ(strip.vertices.size(), 4u);
    const float bannerCorners[4][4] = {{0, 1, -320, 140}, {1, 1, 80, 140}, {1, 0, 80, 220}, {0, 0, -320, 220}};
    const float stripCorners[4][4] = {{0, 1, 320, -240}, {1, 1, 320, 180}, {1, 0, 220, 180}, {0, 0, 220, -240}};
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(banner.vertices[v].texCoord, (std::array<float, 2>{bannerCorners[v][0], bannerCorners[v][1]}));
        EXPECT_FLOAT_EQ(banner.vertices[v].eye[0], bannerCorners[v][2]);
        EXPECT_FLOAT_EQ(banner.vertices[v].eye[1], bannerCorners[v][3]);
        EXPECT_EQ(strip.vertices[v].texCoord, (std::array<float, 2>{stripCorners[v][0], stripCorners[v][1]}));
        EXPECT_FLOAT_EQ(strip.vertices[v].eye[0], stripCorners[v][2]);
        EXPECT_FLOAT_EQ(strip.vertices[v].eye[1], stripCorners[v][3]);
        // The blur's last faint white is still the current colour.
        EXPECT_NEAR(banner.vertices[v].color[3], 0.008, 1e-5);
    }
    // Each panel is drawn with its own texture bound.
    auto binds = rig.frameCalls("glBindTexture");
    ASSERT_GE(binds.size(), 3u);
    expectArgs(binds[binds.size() - 3], {GL_TEXTURE_2D, static_cast<double>(rig.cubeGrid.bannerTexture)});
    expectArgs(binds[binds.size() - 2], {GL_TEXTURE_2D, static_cast<double>(rig.cubeGrid.stripTexture)});
    expectArgs(binds.back(), {GL_TEXTURE_2D, 0});
}

TEST(CubeGridSceneRecording, LeavesItsStateForTheNextFrame) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    rig.frame(30, 1, 0.1);
    const auto& s = recgl::state();
    EXPECT_TRUE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(recgl::isEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_FALSE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_FALSE(recgl::isEnabled(GL_LIGHTING));
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_EQ(s.polygonModeFront, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(s.viewport, (std::array<GLint, 4>{0, 0, 640, 480}));
    EXPECT_EQ(s.matrixMode, static_cast<GLenum>(GL_PROJECTION));
    EXPECT_EQ(s.depthFunc, static_cast<GLenum>(GL_LEQUAL));
    EXPECT_EQ(s.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(s.blendDst, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.projectionDepth, 1);
    EXPECT_EQ(rig.frameCalls("glGenTextures").size(), 0u) << "textures are made once";
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(CubeGridSceneRecording, NoTextureNameSkipsTheRestOfStart) {
    Rig rig;
    recgl::failNextGenTextures();
    rig.frame(30, 0, 0.0);
    EXPECT_EQ(rig.cubeGrid.bannerTexture, 0u);
    EXPECT_EQ(rig.frameCalls("glTexImage2D").size(), 0u);
    EXPECT_EQ(rig.cubeGrid.blurTexture, 0u);
    EXPECT_EQ(rig.cubeGrid.patternTexture, 0u);
    EXPECT_TRUE(rig.cubeGrid.started);
    EXPECT_EQ(rig.framePrimitives().size(), 253u) << "the frame is drawn all the same";
}

TEST(CubeGridSceneRecording, DestructorDeletesOnlyThePanelTextures) {
    FixtureFolder data;
    setUpWindowState();
    auto scene = std::make_unique<CubeGridScene>();
    scene->draw(0.0f, nullptr);
    const GLuint banner = scene->bannerTexture, strip = scene->stripTexture;
    const GLuint blur = scene->blurTexture, pattern = scene->patternTexture;
    const std::size_t before = recgl::calls().size();
    scene.reset();
    std::vector<double> deleted;
    const auto& all = recgl::calls();
    for (std::size_t i = before; i < all.size(); ++i) {
        ASSERT_EQ(all[i].name, "glDeleteTextures");
        deleted.insert(deleted.end(), all[i].args.begin() + 1, all[i].args.end());
    }
    EXPECT_EQ(deleted, (std::vector<double>{double(banner), double(strip)}));
    // The blur and pattern textures go with the context.
    EXPECT_NE(recgl::texture(blur), nullptr);
    EXPECT_NE(recgl::texture(pattern), nullptr);
}

TEST(CubeGridSceneRecording, TexturesAreLinearWithTheirImages) {
    Rig rig;
    rig.frame(30, 0, 0.0);
    const recgl::Texture* pattern = recgl::texture(rig.cubeGrid.patternTexture);
    ASSERT_NE(pattern, nullptr);
    ASSERT_EQ(pattern->pixels.size(), 128u * 128u * 4u);
    const std::uint8_t* texel = &pattern->pixels[(3 * 128 + 5) * 4];
    EXPECT_EQ((std::array<int, 3>{texel[0], texel[1], texel[2]}), (std::array<int, 3>{24, 25, 26}));
    for (GLuint name : {rig.cubeGrid.bannerTexture, rig.cubeGrid.stripTexture,
                        rig.cubeGrid.blurTexture, rig.cubeGrid.patternTexture}) {
        const recgl::Texture* t = recgl::texture(name);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(t->hasImage);
        EXPECT_EQ(t->minFilter, static_cast<GLenum>(GL_LINEAR)) << name;
        EXPECT_EQ(t->magFilter, static_cast<GLenum>(GL_LINEAR)) << name;
    }
    // The blur texture is refilled from the frame buffer, once per frame.
    EXPECT_EQ(recgl::texture(rig.cubeGrid.blurTexture)->imageUploads, 2);
    rig.frame(30, 1, 0.1);
    EXPECT_EQ(recgl::texture(rig.cubeGrid.blurTexture)->imageUploads, 3);
    EXPECT_EQ(recgl::texture(rig.cubeGrid.patternTexture)->imageUploads, 1);
    EXPECT_EQ(recgl::state().texEnvMode, GL_MODULATE);
}
