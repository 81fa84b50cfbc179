// GLApi: one table of GL/GLU entry points, filled either from the real libGL
// the binary links or from the recording GL loaded as a module, so the same
// call sequence can run against both in one process.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "tests/support/RecordingGL.h"

#include <string>
#include <vector>

#define VELMORA_GL_API(X)                                                                 \
    X(glBegin) X(glEnd) X(glVertex3f) X(glColor4f) X(glTexCoord2f) X(glPushMatrix)       \
    X(glPopMatrix) X(glLoadIdentity) X(glMatrixMode) X(glTranslatef) X(glRotatef)        \
    X(glScalef) X(glOrtho) X(glFrustum) X(glViewport) X(glPushAttrib) X(glPopAttrib)     \
    X(glEnable) X(glDisable) X(glIsEnabled) X(glBlendFunc) X(glPolygonMode)              \
    X(glPointSize) X(glLineWidth) X(glHint) X(glShadeModel) X(glClear) X(glClearColor)   \
    X(glDepthFunc) X(glFrontFace) X(glCullFace) X(glFogi) X(glFogf) X(glFogfv)           \
    X(glBindTexture) X(glGenTextures) X(glDeleteTextures) X(glTexImage2D)                \
    X(glTexParameteri) X(glTexEnvf) X(glCopyTexSubImage2D) X(glCopyTexImage2D)           \
    X(glGetError) X(glGetIntegerv) X(glGetFloatv) X(glGetBooleanv) X(glGetTexEnviv)      \
    X(glGetTexParameteriv) X(glGetTexLevelParameteriv) X(glFlush) X(glMultMatrixf)       \
    X(glLoadMatrixf) X(glDepthMask) X(glClearDepth) X(glDepthRange) X(gluPerspective)    \
    X(gluLookAt) X(gluOrtho2D)

struct GLApi {
#define VELMORA_GL_FIELD(name) decltype(&::name) name = nullptr;
    VELMORA_GL_API(VELMORA_GL_FIELD)
#undef VELMORA_GL_FIELD
};

// The entry points of the libGL/libGLU this binary links.
GLApi realGLApi();

// The recording GL loaded from its module; unloaded when destroyed.
class RecordingModule {
public:
    explicit RecordingModule(const std::string& path);  // throws std::runtime_error
    ~RecordingModule();
    RecordingModule(const RecordingModule&) = delete;
    RecordingModule& operator=(const RecordingModule&) = delete;

    const GLApi& api() const { return table; }
    void reset() const;
    const std::vector<recgl::Primitive>& primitives() const { return *primitivesEntry(); }

private:
    void* handle = nullptr;
    GLApi table;
    void (*resetEntry)() = nullptr;
    const std::vector<recgl::Primitive>* (*primitivesEntry)() = nullptr;
};
