// GLApi: one table of GL/GLU entry points, filled either from the real libGL
// the binary links or from a GL built as a module and loaded beside it (the
// recording GL, the web layer), so the same call sequence runs against both
// in one process.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

#define VELMORA_GL_API(X)                                                                 \
    X(glBegin) X(glEnd) X(glVertex2i) X(glVertex2f) X(glVertex3f) X(glColor3f)           \
    X(glColor4f) X(glColor4ub) X(glTexCoord2f) X(glTexCoord2i) X(glPushMatrix)           \
    X(glPopMatrix) X(glLoadIdentity) X(glMatrixMode) X(glTranslatef) X(glRotatef)        \
    X(glScalef) X(glOrtho) X(glFrustum) X(glViewport) X(glPushAttrib) X(glPopAttrib)     \
    X(glEnable) X(glDisable) X(glIsEnabled) X(glBlendFunc) X(glPolygonMode)              \
    X(glPointSize) X(glLineWidth) X(glHint) X(glShadeModel) X(glClear) X(glClearColor)   \
    X(glDepthFunc) X(glFrontFace) X(glCullFace) X(glFogi) X(glFogf) X(glFogfv)           \
    X(glBindTexture) X(glGenTextures) X(glDeleteTextures) X(glTexImage2D)                \
    X(glTexParameteri) X(glTexEnvf) X(glCopyTexSubImage2D) X(glCopyTexImage2D)           \
    X(glGetError) X(glGetIntegerv) X(glGetFloatv) X(glGetBooleanv) X(glGetTexEnviv)      \
    X(glGetTexParameteriv) X(glGetTexLevelParameteriv) X(glFlush) X(glMultMatrixf)       \
    X(glLoadMatrixf) X(glDepthMask) X(glClearDepth) X(glDepthRange) X(glReadPixels)      \
    X(glPixelStorei) X(glScissor) X(gluPerspective) X(gluLookAt) X(gluOrtho2D)

struct GLApi {
#define VELMORA_GL_FIELD(name) decltype(&::name) name = nullptr;
    VELMORA_GL_API(VELMORA_GL_FIELD)
#undef VELMORA_GL_FIELD
};

// The entry points of the libGL/libGLU this binary links.
GLApi realGLApi();

// A GL built as a module, loaded with its names kept out of the process's
// global scope (so the binary's own calls still reach Mesa); unloaded when
// destroyed.
class GLModule {
public:
    explicit GLModule(const std::string& path);  // throws std::runtime_error
    ~GLModule();
    GLModule(const GLModule&) = delete;
    GLModule& operator=(const GLModule&) = delete;

    const GLApi& api() const { return table; }
    // Any other entry point of the module; throws std::runtime_error.
    void* symbol(const char* name) const;

private:
    void* handle = nullptr;
    GLApi table;
};
