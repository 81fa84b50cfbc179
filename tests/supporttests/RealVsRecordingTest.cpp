// The recording GL against Mesa: the same call sequences run on a real
// context and on the recording GL loaded beside it; every state value both
// report through glGet*, and every vertex position, must agree. Nothing here
// is a hand-written expectation; Mesa is the reference.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/supporttests/StateSnapshot.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST_F(RealVsRecordingTest, FreshContextsAgree) {
    expectSameState([](const GLApi&) {}, "fresh context");
}

TEST_F(RealVsRecordingTest, MatrixChainsAgree) {
    expectSameState(
        [](const GLApi& gl) {
            gl.glMatrixMode(GL_PROJECTION);
            gl.glLoadIdentity();
            gl.gluPerspective(45.0, 640.0 / 480.0, 0.1, 10000.0);
            gl.glPushMatrix();
            gl.glOrtho(-320, 320, -240, 240, -10, 200);
            gl.glMatrixMode(GL_TEXTURE);
            gl.glRotatef(33, 0.3f, -0.5f, 0.8f);
            gl.glMatrixMode(GL_MODELVIEW);
            gl.gluLookAt(0.5, 2, 7, 0, -1, 0, 0.1, 1, 0);
            gl.glTranslatef(1.5f, -2.25f, -8.0f);
            gl.glRotatef(17.5f, 1, 0, 0);
            gl.glRotatef(-243.0f, 0, 1, 0);
            gl.glRotatef(90.0f, 0, 0, 1);
            gl.glScalef(0.5f, 2, 3);
            gl.glPushMatrix();
            gl.glRotatef(10, 1, 1, 0);
        },
        "matrix chain");
}

TEST_F(RealVsRecordingTest, FrustumOrtho2DAndLoadedMatricesAgree) {
    expectSameState(
        [](const GLApi& gl) {
            const GLfloat m[16] = {1, 2, 0, 0, 0, 1, 3, 0, 4, 0, 1, 0, 5, 6, 7, 1};
            gl.glMatrixMode(GL_PROJECTION);
            gl.glFrustum(-1, 2, -0.5, 1.5, 0.5, 50);
            gl.glPushMatrix();
            gl.gluOrtho2D(0, 640, 0, 480);
            gl.glMatrixMode(GL_MODELVIEW);
            gl.glLoadMatrixf(m);
            gl.glMultMatrixf(m);
        },
        "frustum and loaded matrices");
}

// A baseline with every group away from its default, then a push with the
// mask, a second change to everything, and the pop.
void changeEverything(const GLApi& gl, GLuint texture, int variant) {
    const float v = variant == 0 ? 0.25f : 0.75f;
    gl.glColor4f(v, 1 - v, v / 2, 1);
    gl.glTexCoord2f(v, 2 * v);
    gl.glPointSize(1 + 4 * v);
    gl.glLineWidth(1 + 2 * v);
    gl.glPolygonMode(GL_FRONT_AND_BACK, variant == 0 ? GL_LINE : GL_POINT);
    gl.glFrontFace(variant == 0 ? GL_CW : GL_CCW);
    gl.glCullFace(variant == 0 ? GL_FRONT : GL_FRONT_AND_BACK);
    gl.glDepthFunc(variant == 0 ? GL_LEQUAL : GL_GREATER);
    gl.glDepthMask(variant == 0 ? GL_FALSE : GL_TRUE);
    gl.glClearDepth(v);
    gl.glHint(GL_POINT_SMOOTH_HINT, variant == 0 ? GL_NICEST : GL_FASTEST);
    gl.glHint(GL_PERSPECTIVE_CORRECTION_HINT, variant == 0 ? GL_FASTEST : GL_NICEST);
    gl.glFogi(GL_FOG_MODE, variant == 0 ? GL_LINEAR : GL_EXP2);
    gl.glFogf(GL_FOG_DENSITY, v);
    gl.glFogf(GL_FOG_START, v * 10);
    gl.glFogf(GL_FOG_END, v * 100);
    const GLfloat fogColour[4] = {v, v / 2, v / 4, 1};
    gl.glFogfv(GL_FOG_COLOR, fogColour);
    gl.glBlendFunc(variant == 0 ? GL_SRC_ALPHA : GL_ONE,
                   variant == 0 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    gl.glClearColor(v, 0, 1 - v, v);
    gl.glViewport(variant, 2 * variant, 320 + variant, 240);
    gl.glDepthRange(v / 2, 1 - v / 2);
    gl.glBindTexture(GL_TEXTURE_2D, variant == 0 ? texture : 0);
    gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, variant == 0 ? GL_REPLACE : GL_DECAL);
    gl.glShadeModel(variant == 0 ? GL_FLAT : GL_SMOOTH);
    gl.glMatrixMode(variant == 0 ? GL_PROJECTION : GL_TEXTURE);
    const GLenum caps[] = {GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST, GL_FOG, GL_LINE_SMOOTH,
                           GL_POINT_SMOOTH, GL_TEXTURE_2D, GL_DITHER, GL_SCISSOR_TEST,
                           GL_LIGHTING, GL_NORMALIZE, GL_TEXTURE_GEN_S};
    for (std::size_t i = 0; i < sizeof caps / sizeof caps[0]; ++i) {
        if ((i + variant) % 2 == 0)
            gl.glEnable(caps[i]);
        else
            gl.glDisable(caps[i]);
    }
}

TEST_F(RealVsRecordingTest, EachAttributeGroupRestoresWhatMesaRestores) {
    const GLbitfield masks[] = {
        GL_CURRENT_BIT, GL_POINT_BIT, GL_LINE_BIT, GL_POLYGON_BIT, GL_DEPTH_BUFFER_BIT,
        GL_ENABLE_BIT, GL_HINT_BIT, GL_FOG_BIT, GL_COLOR_BUFFER_BIT, GL_VIEWPORT_BIT,
        GL_TEXTURE_BIT, GL_TRANSFORM_BIT, GL_LIGHTING_BIT, GL_SCISSOR_BIT,
        GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT, GL_ALL_ATTRIB_BITS};
    for (GLbitfield mask : masks) {
        // A fresh pair of contexts per mask, so earlier masks cannot leak.
        HeadlessContext fresh{640, 480};
        const std::string what = "mask " + std::to_string(mask);
        expectSameState(
            [mask](const GLApi& gl) {
                GLuint texture = 0;
                gl.glGenTextures(1, &texture);
                changeEverything(gl, texture, 0);
                gl.glPushAttrib(mask);
                changeEverything(gl, texture, 1);
                gl.glPopAttrib();
            },
            what.c_str());
    }
}

// Window coordinates and colour of every point, by the recording GL's eye
// coordinates carried through its own projection and viewport.
std::vector<std::array<float, 7>> recordedWindowPoints(const RecordingModule& recording) {
    GLfloat projection[16];
    GLint viewport[4];
    GLdouble depthRange[2];
    recording.api().glGetFloatv(GL_PROJECTION_MATRIX, projection);
    recording.api().glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat range[2];
    recording.api().glGetFloatv(GL_DEPTH_RANGE, range);
    depthRange[0] = range[0];
    depthRange[1] = range[1];
    std::vector<std::array<float, 7>> points;
    for (const recgl::Primitive& primitive : recording.primitives()) {
        for (const recgl::Vertex& v : primitive.vertices) {
            double clip[4] = {0, 0, 0, 0};
            for (int row = 0; row < 4; ++row)
                for (int k = 0; k < 4; ++k)
                    clip[row] += double(projection[k * 4 + row]) * v.eye[k];
            const double x = clip[0] / clip[3], y = clip[1] / clip[3], z = clip[2] / clip[3];
            points.push_back({float(viewport[0] + (x + 1) * viewport[2] / 2),
                              float(viewport[1] + (y + 1) * viewport[3] / 2),
                              float(depthRange[0] + (z + 1) * (depthRange[1] - depthRange[0]) / 2),
                              v.color[0], v.color[1], v.color[2], v.color[3]});
        }
    }
    return points;
}

// What Mesa's transform stage makes of the same points, through feedback mode.
std::vector<std::array<float, 7>> mesaWindowPoints(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<std::array<float, 7>> points;
    for (GLint i = 0; i + 7 < used; i += 8) {
        EXPECT_EQ(buffer[i], GLfloat(GL_POINT_TOKEN));
        points.push_back({buffer[i + 1], buffer[i + 2], buffer[i + 3], buffer[i + 4],
                          buffer[i + 5], buffer[i + 6], buffer[i + 7]});
    }
    return points;
}

// Draws points with both and compares where they land; draw must leave the
// projection it drew with current.
void expectSamePoints(const GLApi& real, const RecordingModule& recording,
                      const std::function<void(const GLApi&)>& draw, std::size_t expected) {
    recording.reset();
    draw(recording.api());
    const auto recorded = recordedWindowPoints(recording);
    const auto mesa = mesaWindowPoints([&] { draw(real); });
    ASSERT_EQ(mesa.size(), expected);
    ASSERT_EQ(recorded.size(), expected);
    for (std::size_t i = 0; i < expected; ++i)
        for (int k = 0; k < 7; ++k)
            EXPECT_NEAR(recorded[i][k], mesa[i][k], k < 2 ? 2e-3 : 1e-5)
                << "point " << i << " component " << k;
}

TEST_F(RealVsRecordingTest, VerticesLandWhereMesaPutsThem) {
    expectSamePoints(real, recording, [](const GLApi& gl) {
        gl.glViewport(20, 10, 600, 450);
        gl.glDepthRange(0.1, 0.9);
        gl.glMatrixMode(GL_PROJECTION);
        gl.glLoadIdentity();
        gl.gluPerspective(45.0, 600.0 / 450.0, 0.1, 10000.0);
        gl.glMatrixMode(GL_MODELVIEW);
        gl.glLoadIdentity();
        gl.glTranslatef(0.5f, -0.25f, -12.0f);
        gl.glRotatef(37, 1, 0, 0);
        gl.glRotatef(-71, 0, 1, 0);
        gl.glRotatef(200, 0, 0, 1);
        gl.glBegin(GL_POINTS);
        for (int i = 0; i < 12; ++i) {
            gl.glColor4f(i / 12.0f, 1 - i / 12.0f, 0.5f, 0.25f + i / 24.0f);
            gl.glVertex3f(float(i % 4) - 1.5f, float(i / 4) - 1.0f, float(i % 3) - 1.0f);
        }
        gl.glEnd();
    }, 12);
}

TEST_F(RealVsRecordingTest, OverlayAndLookAtPointsLandWhereMesaPutsThem) {
    expectSamePoints(real, recording, [](const GLApi& gl) {
        gl.glMatrixMode(GL_PROJECTION);
        gl.glPushMatrix();
        gl.glLoadIdentity();
        gl.glOrtho(-320, 320, -240, 240, -10, 200);
        gl.glMatrixMode(GL_MODELVIEW);
        gl.glPushMatrix();
        gl.glLoadIdentity();
        gl.glScalef(1.5f, 0.5f, 1);
        gl.glBegin(GL_POINTS);
        gl.glVertex3f(-200, 200, 5);
        gl.glVertex3f(210, -230, -150);
        gl.glEnd();
        gl.glPopMatrix();
    }, 2);
    expectSamePoints(real, recording, [](const GLApi& gl) {
        gl.glMatrixMode(GL_PROJECTION);
        gl.glLoadIdentity();
        gl.gluPerspective(60.0, 4.0 / 3.0, 1.0, 500.0);
        gl.glMatrixMode(GL_MODELVIEW);
        gl.glLoadIdentity();
        gl.gluLookAt(3, 4, 20, 0, 1, 0, 0, 1, 0);
        gl.glBegin(GL_POINTS);
        gl.glColor4f(1, 0, 0, 1);
        gl.glVertex3f(0, 0, 0);
        gl.glVertex3f(2, -1, 3);
        gl.glVertex3f(-4, 3, -6);
        gl.glEnd();
    }, 3);
}

}  // namespace
