// The layer-versus-Mesa rows of filled polygons, fog, textures, copies and
// state: GL's splitting and culling, the texture environments and formats,
// the attribute stack, GLU, depth and blending.
#include "tests/webgl/LayerScenes.h"

#include <cmath>

const std::vector<Case> fillCases = {
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
    // The headless run's state-only frames draw under an empty box.
    {"ScissorBoxLimitsClearsAndDraws", 0, 0.0, [](const GLApi& gl) {
         ortho(gl);
         gl.glEnable(GL_SCISSOR_TEST);
         gl.glScissor(10, 20, 50, 40);
         gl.glClearColor(0, 0, 1, 1);
         gl.glClear(GL_COLOR_BUFFER_BIT);
         gl.glColor3f(1, 0, 0);
         gl.glBegin(GL_QUADS);
         gl.glVertex2f(0, 0); gl.glVertex2f(W, 0); gl.glVertex2f(W, 30); gl.glVertex2f(0, 30);
         gl.glEnd();
         gl.glScissor(0, 0, 0, 0);
         gl.glClear(GL_COLOR_BUFFER_BIT);
         gl.glColor3f(0, 1, 0);
         gl.glBegin(GL_TRIANGLES);
         gl.glVertex2f(0, 0); gl.glVertex2f(W, 0); gl.glVertex2f(0, H);
         gl.glEnd();
         gl.glDisable(GL_SCISSOR_TEST);
         gl.glColor3f(1, 1, 0);
         gl.glBegin(GL_POINTS);
         gl.glVertex2f(80.5f, 80.5f);
         gl.glEnd();
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
};
