// Errors of the recording GL against Mesa: step by step, each misuse must
// raise the error Mesa raises and leave the state where Mesa leaves it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/supporttests/StateSnapshot.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST_F(RealVsRecordingTest, ErrorsAgreeStepByStep) {
    const std::vector<std::pair<const char*, std::function<void(const GLApi&)>>> steps = {
        {"pop empty modelview", [](const GLApi& gl) { gl.glPopMatrix(); }},
        {"pop empty attrib", [](const GLApi& gl) { gl.glPopAttrib(); }},
        {"33 modelview pushes", [](const GLApi& gl) {
             for (int i = 0; i < 32; ++i) gl.glPushMatrix();
         }},
        {"17 attrib pushes", [](const GLApi& gl) {
             for (int i = 0; i < 17; ++i) gl.glPushAttrib(GL_ENABLE_BIT);
         }},
        {"unwind", [](const GLApi& gl) {
             for (int i = 0; i < 31; ++i) gl.glPopMatrix();
             for (int i = 0; i < 16; ++i) gl.glPopAttrib();
         }},
        {"hint as capability", [](const GLApi& gl) { gl.glEnable(GL_POINT_SMOOTH_HINT); }},
        {"capability as hint", [](const GLApi& gl) { gl.glHint(GL_POINT_SMOOTH, GL_NICEST); }},
        {"bad hint mode", [](const GLApi& gl) { gl.glHint(GL_FOG_HINT, GL_LINEAR); }},
        {"bad blend factor", [](const GLApi& gl) { gl.glBlendFunc(GL_SRC_ALPHA, GL_LINE); }},
        {"saturate as dst", [](const GLApi& gl) {
             gl.glBlendFunc(GL_ONE, GL_SRC_ALPHA_SATURATE);
         }},
        {"bad polygon mode", [](const GLApi& gl) { gl.glPolygonMode(GL_FRONT, GL_LINES); }},
        {"zero point size", [](const GLApi& gl) { gl.glPointSize(0); }},
        {"zero line width", [](const GLApi& gl) { gl.glLineWidth(0); }},
        {"flat ortho", [](const GLApi& gl) { gl.glOrtho(-1, 1, 2, 2, -1, 1); }},
        {"frustum at eye", [](const GLApi& gl) { gl.glFrustum(-1, 1, -1, 1, 0, 10); }},
        {"bad matrix mode", [](const GLApi& gl) { gl.glMatrixMode(GL_TEXTURE_2D); }},
        {"bad depth func", [](const GLApi& gl) { gl.glDepthFunc(GL_LINE); }},
        {"bad fog mode", [](const GLApi& gl) { gl.glFogi(GL_FOG_MODE, GL_NICEST); }},
        {"negative fog density", [](const GLApi& gl) { gl.glFogf(GL_FOG_DENSITY, -1); }},
        {"bad env mode", [](const GLApi& gl) {
             gl.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_LINEAR);
         }},
        {"negative viewport", [](const GLApi& gl) { gl.glViewport(0, 0, 10, -1); }},
        {"bad clear bit", [](const GLApi& gl) { gl.glClear(GL_COLOR_BUFFER_BIT | 0x1); }},
        {"bad front face", [](const GLApi& gl) { gl.glFrontFace(GL_FRONT); }},
        {"bad mag filter", [](const GLApi& gl) {
             gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR);
         }},
        {"bad internal format", [](const GLApi& gl) {
             gl.glTexImage2D(GL_TEXTURE_2D, 0, 5, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
         }},
        {"bad pixel type", [](const GLApi& gl) {
             gl.glTexImage2D(GL_TEXTURE_2D, 0, 4, 4, 4, 0, GL_RGBA, GL_RGBA, nullptr);
         }},
        {"border 2", [](const GLApi& gl) {
             gl.glTexImage2D(GL_TEXTURE_2D, 0, 4, 4, 4, 2, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
         }},
        {"copy into no image", [](const GLApi& gl) {
             GLuint t = 0;
             gl.glGenTextures(1, &t);
             gl.glBindTexture(GL_TEXTURE_2D, t);
             gl.glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 16, 16);
         }},
        {"copy past the image", [](const GLApi& gl) {
             gl.glTexImage2D(GL_TEXTURE_2D, 0, 4, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
             gl.glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 8, 0, 0, 0, 16, 16);
         }},
        {"copy image GL_RGB", [](const GLApi& gl) {
             gl.glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 32, 32, 0);
         }},
        {"fog colour through glFogf", [](const GLApi& gl) { gl.glFogf(GL_FOG_COLOR, 0.5f); }},
        {"copy image with component count", [](const GLApi& gl) {
             gl.glCopyTexImage2D(GL_TEXTURE_2D, 0, 4, 0, 0, 16, 16, 0);
         }},
        {"image not a power of two", [](const GLApi& gl) {
             gl.glTexImage2D(GL_TEXTURE_2D, 0, 4, 100, 30, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
         }},
        {"filters of the bound texture", [](const GLApi& gl) {
             gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
             gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
         }},
        {"1D texture binding", [](const GLApi& gl) { gl.glBindTexture(GL_TEXTURE_1D, 0); }},
        {"bad texture target", [](const GLApi& gl) { gl.glBindTexture(GL_TEXTURE_ENV, 1); }},
        {"delete the bound texture", [](const GLApi& gl) {
             GLint bound = 0;
             gl.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
             const GLuint name = GLuint(bound);
             gl.glDeleteTextures(1, &name);
         }},
        {"delete name 0 and unknown names", [](const GLApi& gl) {
             const GLuint names[2] = {0, 4242};
             gl.glDeleteTextures(2, names);
         }},
        {"push attrib inside begin/end", [](const GLApi& gl) {
             gl.glBegin(GL_POINTS);
             gl.glPushAttrib(GL_ALL_ATTRIB_BITS);
             gl.glEnd();
         }},
        {"negative texture count", [](const GLApi& gl) {
             GLuint t = 0;
             gl.glGenTextures(-1, &t);
         }},
        {"end without begin", [](const GLApi& gl) { gl.glEnd(); }},
        {"bad primitive", [](const GLApi& gl) {
             gl.glBegin(GL_TEXTURE_2D);
         }},
        {"state inside begin/end", [](const GLApi& gl) {
             gl.glBegin(GL_TRIANGLES);
             gl.glEnable(GL_BLEND);
             gl.glPushMatrix();
             gl.glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
             gl.glVertex3f(0, 0, 0);
             gl.glEnd();
         }},
        {"bind a name never generated", [](const GLApi& gl) {
             gl.glBindTexture(GL_TEXTURE_2D, 77);
         }},
        {"unknown capability query", [](const GLApi& gl) { gl.glIsEnabled(GL_FOG_HINT); }},
        {"clear colour out of range", [](const GLApi& gl) {
             gl.glClearColor(1.5f, -0.5f, 0.5f, 2.0f);
         }},
        {"current colour out of range", [](const GLApi& gl) {
             gl.glColor4f(1.5f, -0.5f, 0.5f, 2.0f);
         }},
        {"fog colour out of range", [](const GLApi& gl) {
             const GLfloat colour[4] = {2, -1, 0.5f, 1};
             gl.glFogfv(GL_FOG_COLOR, colour);
         }},
        {"depth range out of range", [](const GLApi& gl) { gl.glDepthRange(-1, 2); }},
        {"name after deleting the newest", [](const GLApi& gl) {
             GLuint names[2];
             gl.glGenTextures(2, names);
             gl.glDeleteTextures(1, &names[1]);
             GLuint again = 0;
             gl.glGenTextures(1, &again);
             gl.glBindTexture(GL_TEXTURE_2D, again);
         }},
        {"pop brings back a deleted binding", [](const GLApi& gl) {
             GLuint name = 0;
             gl.glGenTextures(1, &name);
             gl.glBindTexture(GL_TEXTURE_2D, name);
             gl.glPushAttrib(GL_TEXTURE_BIT);
             gl.glBindTexture(GL_TEXTURE_2D, 0);
             gl.glDeleteTextures(1, &name);
             gl.glPopAttrib();
         }},
        {"nested begin", [](const GLApi& gl) {
             gl.glBegin(GL_LINES);
             gl.glBegin(GL_POINTS);
             gl.glEnd();
         }},
    };
    recording.reset();
    for (const auto& step : steps) {
        step.second(real);
        step.second(recording.api());
        const GLenum mesaError = real.glGetError();
        const GLenum recordedError = recording.api().glGetError();
        EXPECT_EQ(recordedError, mesaError) << step.first;
        // The rejected call must have left the state where Mesa left it.
        expectSame(snapshot(real), snapshot(recording.api()), step.first);
    }
}

TEST_F(RealVsRecordingTest, GetErrorInsideBeginEndAgrees) {
    recording.reset();
    GLenum inside[2], after[2];
    const GLApi* apis[2] = {&real, &recording.api()};
    for (int i = 0; i < 2; ++i) {
        apis[i]->glBegin(GL_POINTS);
        inside[i] = apis[i]->glGetError();
        apis[i]->glEnd();
        after[i] = apis[i]->glGetError();
    }
    EXPECT_EQ(inside[1], inside[0]);
    EXPECT_EQ(after[1], after[0]);
    expectSame(snapshot(real), snapshot(recording.api()), "after glGetError in glBegin");
}

}  // namespace
