// The layer-versus-Mesa rows of lines and points: polygon edges with culling,
// plain and smooth lines (through the near plane too), square and round
// points, small viewports.
#include "tests/webgl/LayerScenes.h"

#include <cmath>

const std::vector<Case> lineCases = {
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
