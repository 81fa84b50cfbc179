// The web layer against Mesa's own OpenGL 1.1, one small scene per row, each
// built from what the demo's scenes and objects do. A row passes when no
// more than `share` of the pixels differ by more than `levels` in any channel.
// One level is rounding: the layer's shaders interpolate and blend in floats
// Mesa rounds in another order. Smooth lines and round points follow Mesa's
// own coverage (lengthened quads, perspective-bent coverage coordinates,
// centres more opaque), so they too agree within a level or two; where a row
// allows more, it says why.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/webgl/LayerRig.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int W = LayerRig::width, H = LayerRig::height;

void ortho(const GLApi& gl) {
    gl.glViewport(0, 0, W, H);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.glOrtho(0, W, 0, H, -1, 1);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glClearColor(0, 0, 0, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void perspective(const GLApi& gl) {
    gl.glViewport(0, 0, W, H);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.gluPerspective(45.0, 1.0, 0.1, 100.0);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glClearColor(0.1f, 0.1f, 0.2f, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void blend(const GLApi& gl) {
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// A cube of half-size h as CubeStar sends it: six quads.
void cube(const GLApi& gl, float h) {
    const float p = h, n = -h;
    const float faces[6][4][3] = {
        {{p, p, p}, {p, n, p}, {n, n, p}, {n, p, p}}, {{p, p, n}, {p, n, n}, {n, n, n}, {n, p, n}},
        {{p, p, p}, {p, n, p}, {p, n, n}, {p, p, n}}, {{n, p, p}, {n, n, p}, {n, n, n}, {n, p, n}},
        {{n, p, n}, {n, p, p}, {p, p, p}, {p, p, n}}, {{n, n, n}, {n, n, p}, {p, n, p}, {p, n, n}}};
    gl.glBegin(GL_QUADS);
    for (const auto& face : faces)
        for (const auto& v : face)
            gl.glVertex3f(v[0], v[1], v[2]);
    gl.glEnd();
}

// A band of a torus as WobbleTorus sends it: one quad strip per ring.
void torus(const GLApi& gl, int rings, int segments, float ring, float tube) {
    const float pi = 3.14159265f;
    auto vertex = [&](int i, int j) {
        const float u = 2 * pi * float(i % rings) / float(rings);
        const float v = 2 * pi * float(j % segments) / float(segments);
        const float d = ring + tube * std::cos(v);
        gl.glVertex3f(-d * std::sin(u), d * std::cos(u), tube * std::sin(v));
    };
    for (int i = 0; i < rings; ++i) {
        gl.glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= segments; ++j) {
            vertex(i + 1, j);
            vertex(i, j);
        }
        gl.glEnd();
    }
}

void texturedQuad(const GLApi& gl, float x0, float y0, float x1, float y1, float s) {
    gl.glBegin(GL_QUADS);
    gl.glTexCoord2f(0, 0); gl.glVertex2f(x0, y0);
    gl.glTexCoord2f(s, 0); gl.glVertex2f(x1, y0);
    gl.glTexCoord2f(s, s); gl.glVertex2f(x1, y1);
    gl.glTexCoord2f(0, s); gl.glVertex2f(x0, y1);
    gl.glEnd();
}

GLuint checkerTexture(const GLApi& gl, GLint internalFormat, int w, int h) {
    std::vector<GLubyte> texels(std::size_t(w) * h * 4);
    for (int i = 0; i < w * h; ++i) {
        texels[i * 4 + 0] = GLubyte(40 * (i % 7));
        texels[i * 4 + 1] = GLubyte(255 - 30 * (i % 5));
        texels[i * 4 + 2] = GLubyte(i % 2 ? 255 : 60);
        texels[i * 4 + 3] = GLubyte(i % 3 ? 200 : 90);
    }
    GLuint name = 0;
    gl.glGenTextures(1, &name);
    gl.glBindTexture(GL_TEXTURE_2D, name);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                    texels.data());
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void fogged(const GLApi& gl, GLint mode) {
    perspective(gl);
    gl.glEnable(GL_DEPTH_TEST);
    const GLfloat colour[4] = {0.2f, 0.3f, 0.1f, 1};
    gl.glFogi(GL_FOG_MODE, mode);
    gl.glFogfv(GL_FOG_COLOR, colour);
    gl.glFogf(GL_FOG_DENSITY, mode == GL_EXP ? 0.15f : 0.08f);
    gl.glFogf(GL_FOG_START, 2);
    gl.glFogf(GL_FOG_END, 11);
    gl.glHint(GL_FOG_HINT, GL_FASTEST);
    gl.glEnable(GL_FOG);
    // A floor running from in front of the fog into it and out of it.
    gl.glBegin(GL_QUADS);
    gl.glColor3f(1, 0.8f, 0.6f); gl.glVertex3f(-3, -1.5f, -1);
    gl.glColor3f(0.6f, 1, 0.8f); gl.glVertex3f(3, -1.5f, -1);
    gl.glColor3f(1, 1, 1); gl.glVertex3f(3, -1.5f, -25);
    gl.glColor3f(0.8f, 0.6f, 1); gl.glVertex3f(-3, -1.5f, -25);
    gl.glEnd();
    gl.glColor3f(1, 1, 1);
    gl.glBegin(GL_LINES);
    for (int i = 0; i < 6; ++i) {
        gl.glVertex3f(-2.5f + i, 1.5f, -1.5f);
        gl.glVertex3f(-2.5f + i, -0.5f, -20);
    }
    gl.glEnd();
    gl.glPointSize(3);
    gl.glBegin(GL_POINTS);
    for (int i = 0; i < 8; ++i)
        gl.glVertex3f(0.5f * i - 2, 0.3f * i, -1.5f * i - 2);
    gl.glEnd();
}

struct Case {
    const char* name;
    int levels;    // a pixel differs when a channel is further apart than this
    double share;  // of the pixels, allowed to differ
    void (*scene)(const GLApi& gl);
};

const Case cases[] = {
    {"QuadsSplitOnTheSameDiagonal", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glBegin(GL_QUADS);
         gl.glColor3f(1, 0, 0); gl.glVertex2f(8, 10);
         gl.glColor3f(0, 1, 0); gl.glVertex2f(86, 4);
         gl.glColor3f(0, 0, 1); gl.glVertex2f(70, 90);
         gl.glColor3f(1, 1, 1); gl.glVertex2f(12.5f, 60.25f);
         gl.glEnd();
     }},
    {"QuadStripAndFanFilled", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glTranslatef(0, 0, -6);
         gl.glRotatef(30, 1, 0.5f, 0);
         gl.glBegin(GL_QUAD_STRIP);
         for (int i = 0; i <= 8; ++i) {
             gl.glColor4f(i / 8.0f, 1 - i / 8.0f, 0.5f, 1);
             gl.glVertex3f(-2 + 0.5f * i, -1.5f, std::sin(float(i)));
             gl.glVertex3f(-2 + 0.5f * i, -0.5f, std::cos(float(i)));
         }
         gl.glEnd();
         gl.glColor3f(0.9f, 0.7f, 0.2f);
         gl.glBegin(GL_TRIANGLE_FAN);
         gl.glVertex3f(0, 1.2f, 0);
         for (int i = 0; i <= 10; ++i)
             gl.glVertex3f(std::cos(i * 0.628f), 1.2f + std::sin(i * 0.628f), 0);
         gl.glEnd();
     }},
    {"FilledStripCulledAsGLCulls", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glEnable(GL_CULL_FACE);
         gl.glFrontFace(GL_CW);
         gl.glTranslatef(0, 0, -5);
         gl.glRotatef(70, 0, 1, 0.2f);
         gl.glBegin(GL_TRIANGLE_STRIP);
         for (int i = 0; i < 10; ++i) {
             gl.glColor3f(0.2f + 0.08f * i, 0.5f, 1 - 0.08f * i);
             gl.glVertex3f(-2 + 0.45f * i, (i % 2) ? 1.0f : -1.0f, (i % 3) * 0.7f);
         }
         gl.glEnd();
     }},
    {"WireCubeEdgesOnly", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glTranslatef(0.2f, -0.1f, -4);
         gl.glRotatef(35, 1, 0, 0);
         gl.glRotatef(-50, 0, 1, 0);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor4f(0.3f, 0.9f, 0.5f, 1);
         cube(gl, 1);
     }},
    {"WireRingCulledPerTriangle", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glEnable(GL_DEPTH_TEST);
         gl.glEnable(GL_CULL_FACE);
         gl.glTranslatef(0, 0, -9);
         gl.glRotatef(60, 1, 0.3f, 0);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor3f(1, 1, 1);
         torus(gl, 24, 10, 2.2f, 0.8f);
     }},
    // The wire pass is depth-tested against its own filled surface, as the
    // torus scene draws it: where the two depths tie to the last bit, which
    // one wins follows float rounding in the transform, which the layer and
    // Mesa do in different orders (with the depth test off this row agrees).
    {"SmoothWireTunnelInFog", 2, 0.02, [](const GLApi& gl) {
         fogged(gl, GL_LINEAR);
         gl.glLoadIdentity();
         gl.glEnable(GL_CULL_FACE);
         gl.glEnable(GL_LINE_SMOOTH);
         blend(gl);
         gl.glRotatef(90, 0, 1, 0);
         gl.glTranslatef(0, -3.2f, 0);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
         gl.glColor4f(0.2f, 0.4f, 0.9f, 0.5f);
         torus(gl, 40, 12, 3, 1);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor4f(0.6f, 0.6f, 0.9f, 0.5f);
         torus(gl, 40, 12, 3, 1);
     }},
    {"SmoothStripEdgesBlended", 2, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glEnable(GL_LINE_SMOOTH);
         blend(gl);
         gl.glTranslatef(0, 0, -5);
         gl.glRotatef(25, 1, 1, 0);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor4f(1, 0.6f, 1, 0.4f);
         for (int r = 0; r < 4; ++r) {
             gl.glBegin(GL_TRIANGLE_STRIP);
             for (int c = 0; c < 12; ++c) {
                 const float a = c * 0.55f;
                 gl.glVertex3f(1.5f * std::cos(a), -1 + 0.6f * r, 1.5f * std::sin(a));
                 gl.glVertex3f(1.4f * std::cos(a), -0.4f + 0.6f * r, 1.4f * std::sin(a));
             }
             gl.glEnd();
         }
     }},
    {"SmoothLinesAtEveryAngle", 2, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glEnable(GL_LINE_SMOOTH);
         gl.glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
         blend(gl);
         gl.glBegin(GL_LINES);
         for (int i = 0; i < 24; ++i) {
             const float a = i * 0.2618f + 0.05f;
             gl.glColor4f(1, 0.5f + 0.02f * i, 0.2f, 0.4f + 0.025f * i);
             gl.glVertex2f(48.3f + 6 * std::cos(a), 47.6f + 6 * std::sin(a));
             gl.glVertex2f(48.3f + 44 * std::cos(a), 47.6f + 44 * std::sin(a));
         }
         gl.glEnd();
         gl.glBegin(GL_LINES);  // segments shorter than a pixel
         gl.glVertex2f(5.2f, 5.3f); gl.glVertex2f(5.7f, 5.5f);
         gl.glEnd();
     }},
    {"SmoothLinesWithoutBlending", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glEnable(GL_LINE_SMOOTH);
         gl.glColor3f(0.25f, 0.125f, 1);
         gl.glBegin(GL_LINE_STRIP);
         for (int i = 0; i < 8; ++i)
             gl.glVertex2f(10.5f + 11 * i, 20 + 55 * float(i % 2) + 0.3f * i);
         gl.glEnd();
     }},
    {"PlainLinesLoopsAndStrips", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glColor3f(1, 1, 0.5f);
         gl.glBegin(GL_LINE_LOOP);
         for (int i = 0; i < 7; ++i)
             gl.glVertex2f(48 + 40 * std::cos(i * 0.8976f), 48 + 40 * std::sin(i * 0.8976f));
         gl.glEnd();
         gl.glColor3f(0.2f, 0.8f, 1);
         gl.glBegin(GL_LINE_STRIP);
         gl.glVertex2i(5, 5); gl.glVertex2i(90, 12); gl.glVertex2i(20, 80); gl.glVertex2i(60, 93);
         gl.glEnd();
     }},
    {"RoundPointsBlended", 0, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glEnable(GL_POINT_SMOOTH);
         gl.glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
         blend(gl);
         for (float size : {5.0f, 3.0f, 2.0f, 4.0f}) {
             gl.glPointSize(size);
             gl.glBegin(GL_POINTS);
             for (int i = 0; i < 40; ++i) {
                 gl.glColor4f(1, 0.6f, 1, 0.4f + 0.01f * i);
                 gl.glVertex2f(4.13f + 2.31f * i, 5.21f + size * 17 + 0.37f * float(i % 5));
             }
             gl.glEnd();
         }
     }},
    {"SquarePointsOnThePixelGrid", 0, 0.0, [](const GLApi& gl) {
         ortho(gl);
         for (float size : {1.0f, 2.0f, 3.0f, 4.0f}) {
             gl.glPointSize(size);
             gl.glBegin(GL_POINTS);
             for (int i = 0; i < 12; ++i) {
                 gl.glColor3f(0.2f * size, 1 - 0.07f * i, 0.5f);
                 gl.glVertex2f(5 + 7.13f * i, size * 20 + 0.29f * float(i % 4));
             }
             gl.glEnd();
         }
     }},
    {"LinearFog", 1, 0.0, [](const GLApi& gl) { fogged(gl, GL_LINEAR); }},
    {"ExpFog", 1, 0.0, [](const GLApi& gl) { fogged(gl, GL_EXP); }},
    // Bilinear weights are taken to 8 bits: a texture coordinate a rounding
    // apart can move a weight one step, and the texel one or two levels.
    {"TextureModulateRgbaOddSizeRepeated", 2, 0.0, [](const GLApi& gl) {
         ortho(gl);
         blend(gl);
         checkerTexture(gl, 4, 5, 3);
         gl.glEnable(GL_TEXTURE_2D);
         gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
         gl.glColor4f(1, 0.8f, 0.9f, 0.9f);
         texturedQuad(gl, 6, 6, 90, 90, 2.5f);
     }},
    {"TextureReplaceWithoutAlpha", 2, 0.0, [](const GLApi& gl) {
         ortho(gl);
         blend(gl);
         checkerTexture(gl, 3, 4, 4);
         gl.glEnable(GL_TEXTURE_2D);
         gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
         gl.glColor4f(0.3f, 0.3f, 0.3f, 0.5f);
         texturedQuad(gl, 10, 10, 86, 80, 1);
     }},
    {"IncompleteAndZeroTexturesLeaveTheColour", 0, 0.0, [](const GLApi& gl) {
         ortho(gl);
         const GLuint name = checkerTexture(gl, 4, 4, 4);
         gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
         gl.glEnable(GL_TEXTURE_2D);
         gl.glColor3f(0.9f, 0.4f, 0.1f);
         texturedQuad(gl, 4, 4, 44, 90, 1);
         gl.glBindTexture(GL_TEXTURE_2D, 0);
         gl.glColor3f(0.1f, 0.4f, 0.9f);
         texturedQuad(gl, 50, 4, 92, 90, 1);
         gl.glDeleteTextures(1, &name);
     }},
    {"CopyTexImageZoomBlur", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glColor3f(1, 0.5f, 0.2f);
         gl.glBegin(GL_TRIANGLES);
         gl.glVertex2i(2, 2); gl.glVertex2i(30, 6); gl.glVertex2i(12, 29);
         gl.glEnd();
         GLuint name = 0;
         gl.glGenTextures(1, &name);
         gl.glBindTexture(GL_TEXTURE_2D, name);
         gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
         gl.glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 32, 32, 0);
         gl.glClear(GL_COLOR_BUFFER_BIT);
         gl.glEnable(GL_TEXTURE_2D);
         gl.glEnable(GL_BLEND);
         gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
         gl.glBegin(GL_QUADS);
         float s = 0, a = 0.2f;
         for (int layer = 0; layer < 10; ++layer) {
             gl.glColor4f(1, 1, 1, a);
             gl.glTexCoord2f(s, s); gl.glVertex2i(0, 0);
             gl.glTexCoord2f(1 - s, s); gl.glVertex2i(W, 0);
             gl.glTexCoord2f(1 - s, 1 - s); gl.glVertex2i(W, H);
             gl.glTexCoord2f(s, 1 - s); gl.glVertex2i(0, H);
             s += 0.02f;
             a -= 0.015f;
         }
         gl.glEnd();
     }},
    {"CopyTexSubImagePanels", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glTranslatef(0, 0, -4);
         gl.glRotatef(30, 1, 1, 0);
         gl.glColor4f(0.3f, 0.4f, 0.9f, 1);
         cube(gl, 1);
         GLuint name = 0;
         gl.glGenTextures(1, &name);
         gl.glBindTexture(GL_TEXTURE_2D, name);
         gl.glTexImage2D(GL_TEXTURE_2D, 0, 4, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
         gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
         gl.glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 16, 16, 64, 64);
         ortho(gl);
         gl.glEnable(GL_TEXTURE_2D);
         gl.glColor4f(1, 1, 1, 1);
         texturedQuad(gl, 0, 0, 96, 96, 1);
         texturedQuad(gl, 50, 50, 90, 90, 1);
     }},
    {"AttributeStackAndCurrentColour", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glColor4f(0.9f, 0.2f, 0.2f, 1);
         gl.glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LINE_BIT);
         blend(gl);
         gl.glEnable(GL_LINE_SMOOTH);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor4f(0.2f, 0.9f, 0.2f, 0.5f);
         gl.glBegin(GL_QUADS);
         gl.glVertex2i(5, 5); gl.glVertex2i(45, 5); gl.glVertex2i(45, 45); gl.glVertex2i(5, 45);
         gl.glEnd();
         gl.glPopAttrib();
         // Restored: filled, opaque red, no smoothing; then a colour set
         // inside glBegin for several vertices stays after glEnd.
         gl.glBegin(GL_QUADS);
         gl.glVertex2i(50, 5); gl.glVertex2i(90, 5);
         gl.glColor3f(0.2f, 0.3f, 1);
         gl.glVertex2i(90, 45); gl.glVertex2i(50, 45);
         gl.glEnd();
         gl.glBegin(GL_TRIANGLES);
         gl.glVertex2i(10, 55); gl.glVertex2i(80, 60); gl.glVertex2i(40, 92);
         gl.glEnd();
     }},
    {"GluLookAtOnTheProjection", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glMatrixMode(GL_PROJECTION);
         gl.glPushMatrix();
         gl.glLoadIdentity();
         gl.gluPerspective(45.0, 1.33333f, 0.1f, 50.0);
         gl.gluLookAt(4, 3, 6, 0, 0, 0, 0, 1, 0);
         gl.glRotatef(20, 1, 0, 0);
         gl.glMatrixMode(GL_MODELVIEW);
         gl.glEnable(GL_DEPTH_TEST);
         gl.glDepthFunc(GL_LEQUAL);
         gl.glColor3f(0.8f, 0.5f, 0.3f);
         cube(gl, 1);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         gl.glColor3f(1, 1, 1);
         cube(gl, 1);
         gl.glMatrixMode(GL_PROJECTION);
         gl.glPopMatrix();
     }},
    {"DepthTestMaskAndClear", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glEnable(GL_DEPTH_TEST);
         gl.glClearDepth(0.99);
         gl.glClear(GL_DEPTH_BUFFER_BIT);
         gl.glTranslatef(0, 0, -5);
         gl.glDepthMask(GL_FALSE);
         gl.glColor3f(1, 0, 0);
         gl.glBegin(GL_QUADS);
         gl.glVertex3f(-1.5f, -1.5f, 0.5f); gl.glVertex3f(1, -1.5f, -0.5f);
         gl.glVertex3f(1, 1, -0.5f); gl.glVertex3f(-1.5f, 1, 0.5f);
         gl.glEnd();
         gl.glDepthMask(GL_TRUE);
         gl.glColor3f(0, 1, 0);
         gl.glBegin(GL_QUADS);
         gl.glVertex3f(-1, -1, -0.5f); gl.glVertex3f(1.5f, -1, 0.5f);
         gl.glVertex3f(1.5f, 1.5f, 0.5f); gl.glVertex3f(-1, 1.5f, -0.5f);
         gl.glEnd();
         gl.glColor3f(0, 0, 1);
         gl.glBegin(GL_TRIANGLES);
         gl.glVertex3f(-2, -2, 0); gl.glVertex3f(2, -2, 0); gl.glVertex3f(0, 2, 0);
         gl.glEnd();
     }},
    {"WhiteFlashAndAdditiveBlending", 1, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glColor3f(0.2f, 0.6f, 0.4f);
         gl.glBegin(GL_TRIANGLES);
         gl.glVertex2i(0, 0); gl.glVertex2i(96, 0); gl.glVertex2i(48, 96);
         gl.glEnd();
         gl.glEnable(GL_BLEND);
         gl.glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
         gl.glBegin(GL_QUADS);
         gl.glColor4f(1, 1, 1, 0.35f);
         gl.glVertex2i(0, 96); gl.glVertex2i(70, 96); gl.glVertex2i(70, 30); gl.glVertex2i(0, 30);
         gl.glEnd();
         gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
         gl.glColor4f(0.5f, 0.2f, 0.9f, 0.6f);
         gl.glBegin(GL_QUADS);
         gl.glVertex2i(30, 10); gl.glVertex2i(90, 10); gl.glVertex2i(90, 60); gl.glVertex2i(30, 60);
         gl.glEnd();
     }},
    {"SmallViewportInsets", 1, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glViewport(8, 8, 30, 30);
         gl.glTranslatef(0, 0, -30);
         gl.glRotatef(40, 1, 1, 0);
         gl.glColor4f(0.8f, 0.8f, 0.8f, 1);
         gl.glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
         torus(gl, 12, 6, 9, 3);
         gl.glViewport(50, 55, 40, 33);
         gl.glPointSize(5);
         gl.glEnable(GL_POINT_SMOOTH);
         gl.glBegin(GL_POINTS);
         for (int i = 0; i < 10; ++i)
             gl.glVertex3f(-12 + 2.6f * i, 10 - 2.2f * i, 0);
         gl.glEnd();
     }},
    {"LinesThroughTheNearPlane", 2, 0.0, [](const GLApi& gl) {
         perspective(gl);
         gl.glColor3f(0.9f, 0.9f, 0.3f);
         gl.glBegin(GL_LINES);
         for (int i = 0; i < 5; ++i) {
             gl.glVertex3f(-1 + 0.5f * i, -0.6f, 4);
             gl.glVertex3f(-1 + 0.4f * i, 0.4f, -15);
         }
         gl.glEnd();
         gl.glEnable(GL_LINE_SMOOTH);
         blend(gl);
         gl.glColor4f(0.3f, 0.9f, 1, 0.8f);
         gl.glBegin(GL_LINES);
         for (int i = 0; i < 5; ++i) {
             gl.glVertex3f(-1.2f + 0.6f * i, 0.8f, 3);
             gl.glVertex3f(-0.5f + 0.25f * i, -0.5f, -12);
         }
         gl.glEnd();
     }},
};

class LayerVsMesa : public ::testing::TestWithParam<Case> {};

TEST_P(LayerVsMesa, DrawsWhatMesaDraws) {
    const Case& c = GetParam();
    LayerRig rig;
    const auto layer = rig.drawWithLayer(c.scene);
    const auto mesa = rig.drawWithMesa(c.scene);
    ASSERT_EQ(layer.size(), mesa.size());
    int worst = 0, beyond = 0, touched = 0, firstX = -1, firstY = -1;
    for (std::size_t i = 0; i < mesa.size(); i += 4) {
        int difference = 0;
        for (int k = 0; k < 4; ++k)
            difference = std::max(difference, std::abs(int(layer[i + k]) - int(mesa[i + k])));
        worst = std::max(worst, difference);
        touched += difference > 0;
        if (difference > c.levels && beyond++ == 0) {
            firstX = int(i / 4) % W;
            firstY = int(i / 4) / W;
        }
    }
    const int pixels = W * H;
    std::printf("%s: %d of %d pixels differ, %d by more than %d levels; largest difference %d\n",
                c.name, touched, pixels, beyond, c.levels, worst);
    EXPECT_LE(beyond, c.share * pixels)
        << "first at (" << firstX << ", " << firstY << "): layer "
        << int(layer[(firstY * W + firstX) * 4]) << " vs Mesa " << int(mesa[(firstY * W + firstX) * 4]);
    // A scene both draw as nothing would agree and prove nothing.
    EXPECT_NE(std::count(mesa.begin(), mesa.end(), mesa[0]), std::ptrdiff_t(mesa.size()));
}

INSTANTIATE_TEST_SUITE_P(Scenes, LayerVsMesa, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
