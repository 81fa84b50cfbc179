// Cube star scene call sequences, driven through the real timeline by a
// scripted music position with the recording GL: the render-to-texture pass
// and its panels, the star's pose, the beat flashes, the overlay over the
// torus scene, and the texture's life from start to the destructor.
#include "shell/CError.h"
#include "tests/scenes/SceneRig.h"
#include "tests/support/RecordingGL.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using StarRig = RecordingSceneRig;

std::vector<recgl::Primitive> quadsOf(const std::vector<recgl::Primitive>& all, std::size_t count) {
    std::vector<recgl::Primitive> found;
    for (const auto& p : all)
        if (p.vertices.size() == count) found.push_back(p);
    return found;
}

const double angleStep = 0.017453293005625408;

}  // namespace

TEST(CubeStarSceneRecording, FirstMainFramePoseAndOneStepPerFrame) {
    StarRig rig;
    rig.frame(10, 0, 20.0);
    const auto& star = rig.cubeStar.cubeStar;
    EXPECT_FLOAT_EQ(star.position.x, 1.3f);
    EXPECT_FLOAT_EQ(star.position.y, 0.0f);
    EXPECT_NEAR(star.position.z, 2.0209f, 1e-4);
    EXPECT_FLOAT_EQ(star.position.z, static_cast<float>(1.2 * std::sin(angleStep) + 2.0));
    EXPECT_EQ(star.rotation.x, 0.0f);
    EXPECT_EQ(star.rotation.y, 0.0f);
    EXPECT_EQ(CubeStarScene::frameCount, 1.0);
    EXPECT_DOUBLE_EQ(CubeStarScene::spinAngle, 0.2);

    // The orbit and spin follow frames, not the clock: a frame 5 s later
    // moves the star by one step only.
    rig.frame(10, 1, 25.0);
    EXPECT_FLOAT_EQ(star.position.x, static_cast<float>(1.3 * std::cos(angleStep)));
    EXPECT_FLOAT_EQ(star.position.y, static_cast<float>(std::sin(angleStep)));
    EXPECT_FLOAT_EQ(star.position.z, 2.0f);
    EXPECT_FLOAT_EQ(star.rotation.x, 0.2f);
    EXPECT_FLOAT_EQ(star.rotation.y, 0.2f);
    EXPECT_EQ(star.rotation.z, 0.0f);
    EXPECT_EQ(star.overlayStyle, 0);
}

TEST(CubeStarSceneRecording, CornerIsCopiedAfterTheStarAndBeforeTheClear) {
    StarRig rig;
    for (int i = 0; i < 3; ++i) {
        rig.frame(11, i, 20.0 + i);
        const std::size_t cornerViewport = findCall("glViewport", rig.callMark, {0, 0, 256, 256});
        const std::size_t firstStarCube = findCall("glBegin", cornerViewport);
        const std::size_t copy = findCall("glCopyTexSubImage2D", rig.callMark);
        const std::size_t clear = findCall("glClear", rig.callMark + 1);  // past the timeline's
        const std::size_t panels = findCall("glBegin", copy);
        ASSERT_LT(copy, recgl::calls().size());
        EXPECT_LT(cornerViewport, firstStarCube);
        EXPECT_LT(firstStarCube, copy);
        EXPECT_LT(copy, clear);
        EXPECT_LT(clear, panels);
        EXPECT_EQ(recgl::calls()[copy].args,
                  (std::vector<double>{GL_TEXTURE_2D, 0, 0, 0, 0, 0, 256, 256}));
        // The scene's own texture is bound for the copy.
        std::size_t bindBefore = 0;
        for (std::size_t j = rig.callMark; j < copy; ++j)
            if (recgl::calls()[j].name == "glBindTexture") bindBefore = j;
        EXPECT_EQ(recgl::calls()[bindBefore].args[1], rig.cubeStar.texture);
        // The star is drawn under the square projection of the corner.
        const auto perspectives = rig.frameCalls("gluPerspective");
        ASSERT_EQ(perspectives.size(), 2u);
        EXPECT_EQ(perspectives[0].args, (std::vector<double>{45, 1.0, 0.1, 1000}));
    }
    // Storage is made once; every frame only replaces its pixels.
    const recgl::Texture* texture = recgl::texture(rig.cubeStar.texture);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width, 256);
    EXPECT_EQ(texture->height, 256);
    EXPECT_EQ(texture->internalFormat, 4);
    EXPECT_EQ(texture->imageUploads, 1);
    EXPECT_EQ(texture->copies, 3);
    EXPECT_EQ(texture->minFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(texture->magFilter, static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(recgl::state().texEnvMode, GL_MODULATE);
}

TEST(CubeStarSceneRecording, FourTexturedPanelsAndThreeOutlines) {
    StarRig rig;
    rig.frame(10, 5, 20.0);
    const auto prims = rig.framePrimitives(GL_QUADS);
    const auto panels = quadsOf(prims, 16);
    const auto outlines = quadsOf(prims, 12);
    ASSERT_EQ(panels.size(), 1u);
    ASSERT_EQ(outlines.size(), 1u);
    struct Corner {
        float x, y, z;
    };
    // Lower-left and upper-right corners in drawing order.
    const Corner panel[4][2] = {{{-320, -240, -10}, {320, 240, -10}},
                                {{-200, -200, -9}, {0, 0, -9}},
                                {{-100, -100, -9}, {50, 50, -9}},
                                {{0, 0, -8}, {100, 100, -8}}};
    const std::array<float, 2> texCoords[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int q = 0; q < 4; ++q) {
        const auto& v = panels[0].vertices;
        EXPECT_EQ(v[q * 4].eye[0], panel[q][0].x) << "panel " << q;
        EXPECT_EQ(v[q * 4].eye[1], panel[q][0].y) << "panel " << q;
        EXPECT_EQ(v[q * 4].eye[2], panel[q][0].z) << "panel " << q;
        EXPECT_EQ(v[q * 4 + 2].eye[0], panel[q][1].x) << "panel " << q;
        EXPECT_EQ(v[q * 4 + 2].eye[1], panel[q][1].y) << "panel " << q;
        for (int c = 0; c < 4; ++c) EXPECT_EQ(v[q * 4 + c].texCoord, texCoords[c]);
    }
    const Corner frame[3][2] = {{{-200, -200, -9}, {0, 0, -9}},
                                {{0, 0, -7}, {100, 100, -7}},
                                {{-100, -100, -6}, {50, 50, -6}}};
    for (int q = 0; q < 3; ++q) {
        const auto& v = outlines[0].vertices;
        EXPECT_EQ(v[q * 4].eye[0], frame[q][0].x) << "outline " << q;
        EXPECT_EQ(v[q * 4].eye[2], frame[q][0].z) << "outline " << q;
        EXPECT_EQ(v[q * 4 + 2].eye[1], frame[q][1].y) << "outline " << q;
        EXPECT_EQ(v[q * 4].color, (std::array<float, 4>{1, 1, 1, 1}));
    }
    // The outlines are lines, with no texture bound.
    const std::size_t outlineBegin = findCall("glBegin", findCall("glPolygonMode", rig.callMark,
                                                                  {GL_FRONT_AND_BACK, GL_LINE}));
    const std::size_t unbind = findCall("glBindTexture", rig.callMark + 1, {GL_TEXTURE_2D, 0});
    EXPECT_LT(unbind, outlineBegin);
}

TEST(CubeStarSceneRecording, MainModeLeavesItsStateForTheTorusScene) {
    StarRig rig;
    rig.frame(13, 0, 30.0);
    const auto& s = recgl::state();
    EXPECT_EQ(s.viewport, (std::array<GLint, 4>{0, 0, 640, 480}));
    EXPECT_EQ(rig.frameCalls("gluPerspective").back().args,
              (std::vector<double>{45, 1.3333333333333333, 0.1, 1000}));
    EXPECT_EQ(s.depthFunc, static_cast<GLenum>(GL_LEQUAL));
    EXPECT_FALSE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_EQ(s.polygonModeFront, static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(s.boundTexture2D, 0u);
    EXPECT_EQ(s.color, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(s.matrixMode, static_cast<GLenum>(GL_MODELVIEW));
    EXPECT_EQ(recgl::matrix(GL_MODELVIEW),
              (std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(s.projectionDepth, 1);
    EXPECT_EQ(s.modelviewDepth, 1);
    EXPECT_EQ(s.attribDepth, 0);
    // From the star: fog and texturing on, blending off but additive.
    EXPECT_TRUE(recgl::isEnabled(GL_FOG));
    EXPECT_TRUE(recgl::isEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(recgl::isEnabled(GL_BLEND));
    EXPECT_EQ(s.blendSrc, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(s.blendDst, static_cast<GLenum>(GL_ONE));
    EXPECT_TRUE(recgl::misuse().empty());
}

TEST(CubeStarSceneRecording, BeatsAtOrderTwelveRowZeroAndThirteenRowSixtyOneFlash) {
    StarRig rig;
    auto flashAlpha = [&rig]() -> float {
        const auto flashes = quadsOf(rig.framePrimitives(GL_QUADS), 4);
        if (flashes.empty()) return -1.0f;
        EXPECT_EQ(flashes.size(), 1u);
        EXPECT_EQ(flashes[0].vertices[0].object[0], -320.0f);
        EXPECT_EQ(flashes[0].vertices[0].object[1], 240.0f);
        return flashes[0].vertices[0].color[3];
    };
    // fadeStart is 0 until the first beat, so the scene's first 0.8 s flash.
    rig.frame(10, 0, 0.5);
    EXPECT_NEAR(flashAlpha(), 0.5f / 0.8f, 1e-6);
    rig.frame(11, 63, 10.0);
    EXPECT_EQ(flashAlpha(), -1.0f);

    rig.frame(12, 0, 30.0);
    EXPECT_EQ(flashAlpha(), 0.0f);
    EXPECT_EQ(recgl::state().blendSrc, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(recgl::state().blendDst, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(recgl::state().matrixMode, static_cast<GLenum>(GL_PROJECTION));
    EXPECT_EQ(recgl::state().projectionDepth, 1);
    rig.frame(12, 1, 30.4);
    EXPECT_NEAR(flashAlpha(), 0.5f, 1e-4);
    rig.frame(12, 2, 30.9);
    EXPECT_EQ(flashAlpha(), -1.0f);

    rig.frame(13, 60, 40.0);
    EXPECT_EQ(flashAlpha(), -1.0f);
    rig.frame(13, 61, 41.0);
    EXPECT_EQ(flashAlpha(), 0.0f);
    rig.frame(13, 62, 42.0);
    EXPECT_EQ(flashAlpha(), -1.0f);
}

TEST(CubeStarSceneRecording, OverlayDrawsOverTheTorusWithTwentyTimesTheClock) {
    StarRig rig;
    rig.frame(21, 63, 40.0);
    EXPECT_FALSE(rig.cubeStar.started) << "no overlay before order 22";

    rig.frame(22, 0, 41.0);
    const auto& star = rig.cubeStar.cubeStar;
    EXPECT_EQ(star.overlayStyle, 1);
    const float t20 = static_cast<float>(41.0 * 20.0);
    EXPECT_EQ(star.rotation.x, t20);
    EXPECT_EQ(star.rotation.y, t20);
    EXPECT_EQ(star.rotation.z, 0.0f);
    const double a = t20 * angleStep;
    EXPECT_FLOAT_EQ(star.position.x, static_cast<float>(1.3 * std::cos(a)));
    EXPECT_FLOAT_EQ(star.position.y, static_cast<float>(std::sin(a)));
    EXPECT_FLOAT_EQ(star.position.z, static_cast<float>(0.6 * std::sin(angleStep - a) + 1.5));
    EXPECT_EQ(CubeStarScene::frameCount, 1.0);

    // The star's 68 cubes are the last things drawn, after the torus, with
    // depth testing off, and centred 15 units in front of a fresh eye.
    const auto& all = recgl::primitives();
    ASSERT_GT(all.size() - rig.primitiveMark, 68u);
    const std::size_t firstStar = all.size() - 68;
    for (std::size_t i = firstStar; i < all.size(); ++i) {
        ASSERT_EQ(all[i].mode, static_cast<GLenum>(GL_QUADS));
        ASSERT_EQ(all[i].vertices.size(), 24u);
    }
    EXPECT_NE(all[firstStar - 1].vertices.size(), 24u) << "torus primitives come first";
    std::array<float, 3> centre{0, 0, 0};
    for (const auto& v : all[firstStar].vertices)
        for (int c = 0; c < 3; ++c) centre[c] += v.eye[c] / 24;
    EXPECT_NEAR(centre[0], star.position.x * 0.9f * 0.8f, 1e-4);
    EXPECT_NEAR(centre[1], star.position.y * 0.9f, 1e-4);
    EXPECT_NEAR(centre[2], -15.0f + star.position.z * 0.9f * 0.8f, 1e-4);
    const std::size_t overlayColour =
        findCall("glColor3f", rig.callMark, {0.3f, 0.4f, 0.8f});
    const std::size_t depthOff = findCall("glDisable", overlayColour, {GL_DEPTH_TEST});
    ASSERT_LT(depthOff, recgl::calls().size());
    int beginsAfter = 0;
    for (std::size_t i = depthOff; i < recgl::calls().size(); ++i)
        beginsAfter += recgl::calls()[i].name == "glBegin";
    EXPECT_EQ(beginsAfter, 68);
    EXPECT_TRUE(recgl::isEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(recgl::isEnabled(GL_CULL_FACE));
    EXPECT_EQ(recgl::state().modelviewDepth, 1);
    EXPECT_EQ(recgl::state().boundTexture2D, 0u);

    rig.frame(29, 63, 42.0);
    EXPECT_EQ(star.rotation.x, static_cast<float>(42.0 * 20.0));
    EXPECT_EQ(CubeStarScene::frameCount, 2.0);
    rig.frame(30, 0, 43.0);
    EXPECT_EQ(CubeStarScene::frameCount, 2.0) << "no overlay after order 29";
}

TEST(CubeStarSceneRecording, OverlayLeavesTheWarmupCounterToTheTimeline) {
    StarRig rig;
    rig.frame(22, 0, 50.0);
    EXPECT_EQ(torusWarmupCount, 1);
    rig.frame(22, 1, 50.1);
    EXPECT_EQ(torusWarmupCount, 2);
    rig.frame(22, 2, 50.2);
    EXPECT_EQ(torusWarmupCount, 2);
    EXPECT_EQ(rig.presents, 1);
    EXPECT_EQ(CubeStarScene::frameCount, 3.0);

    // Neither read nor written: a pointer into a page that may not be
    // touched at all is handed over like the timeline's counter.
    const long pageSize = sysconf(_SC_PAGESIZE);
    void* page = mmap(nullptr, pageSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    EXPECT_EXIT(
        {
            rig.cubeStar.draw(1000.0f, static_cast<int*>(page));
            std::exit(7);
        },
        ::testing::ExitedWithCode(7), "");
    munmap(page, pageSize);
}

TEST(CubeStarSceneRecording, TextureNameZeroIsAnError) {
    StarRig rig;
    recgl::failNextGenTextures();
    try {
        rig.frame(10, 0, 20.0);
        FAIL() << "expected CError";
    } catch (const CError& error) {
        EXPECT_EQ(error.message(), "Error generating texture objects");
    }
    EXPECT_EQ(rig.cubeStar.texture, 0u);
}

TEST(CubeStarSceneRecording, DestructorDeletesOnlyATextureItMade) {
    recgl::reset();
    {
        CubeStarScene scene;
        recgl::failNextGenTextures();
        EXPECT_THROW(scene.draw(5.0f, nullptr), CError);
    }
    EXPECT_EQ(recgl::count("glDeleteTextures"), 0);

    GLuint name = 0;
    {
        CubeStarScene scene;
        scene.draw(5.0f, nullptr);
        name = scene.texture;
        ASSERT_NE(name, 0u);
        EXPECT_EQ(recgl::liveTextures(), std::vector<GLuint>{name});
    }
    const auto deletes = recgl::callsNamed("glDeleteTextures");
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0].args, (std::vector<double>{1, static_cast<double>(name)}));
    EXPECT_TRUE(recgl::liveTextures().empty());
}
