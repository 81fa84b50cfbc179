// The recording GL's OpenGL 1.1 entry points for matrices, viewport and
// depth range: logged, checked the way Mesa checks them, and applied to the
// recorded matrix stacks.
#include <GL/gl.h>

#include "tests/support/RecordingContext.h"

#include <algorithm>

namespace {

RecordingContext& gl() { return RecordingContext::instance(); }

void transform(const char* name, std::vector<double> args, const RecordingMatrix& by) {
    if (gl().enter(name, std::move(args)))
        gl().multiply(by);
}

void projection(const char* name, double l, double r, double b, double t, double n, double f,
                bool perspective) {
    if (!gl().enter(name, {l, r, b, t, n, f}))
        return;
    if (l == r || b == t || n == f || (perspective && (n <= 0 || f <= 0))) {
        gl().fail(GL_INVALID_VALUE, std::string(name) + " with an empty or inverted volume");
        return;
    }
    gl().multiply(perspective ? RecordingMatrix::frustum(l, r, b, t, n, f)
                              : RecordingMatrix::ortho(l, r, b, t, n, f));
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) {
    if (!gl().enter("glMatrixMode", {double(mode)}))
        return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glMatrixMode", mode));
        return;
    }
    gl().state.matrixMode = mode;
}

void glPushMatrix(void) {
    if (gl().enter("glPushMatrix", {}))
        gl().pushMatrix();
}

void glPopMatrix(void) {
    if (gl().enter("glPopMatrix", {}))
        gl().popMatrix();
}

void glLoadIdentity(void) {
    if (gl().enter("glLoadIdentity", {}))
        gl().current() = RecordingMatrix();
}

void glLoadMatrixf(const GLfloat* m) {
    std::array<float, 16> values;
    std::copy(m, m + 16, values.begin());
    if (gl().enter("glLoadMatrixf", std::vector<double>(m, m + 16)))
        gl().current() = RecordingMatrix(values);
}

void glLoadMatrixd(const GLdouble* m) {
    if (gl().enter("glLoadMatrixd", std::vector<double>(m, m + 16)))
        gl().current() = RecordingMatrix::fromDoubles(m);
}

void glMultMatrixf(const GLfloat* m) {
    std::array<float, 16> values;
    std::copy(m, m + 16, values.begin());
    transform("glMultMatrixf", std::vector<double>(m, m + 16), RecordingMatrix(values));
}

void glMultMatrixd(const GLdouble* m) {
    transform("glMultMatrixd", std::vector<double>(m, m + 16), RecordingMatrix::fromDoubles(m));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    transform("glTranslatef", {x, y, z}, RecordingMatrix::translation(x, y, z));
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    transform("glTranslated", {x, y, z}, RecordingMatrix::translation(x, y, z));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    transform("glRotatef", {angle, x, y, z}, RecordingMatrix::rotation(angle, x, y, z));
}
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    transform("glRotated", {angle, x, y, z}, RecordingMatrix::rotation(angle, x, y, z));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    transform("glScalef", {x, y, z}, RecordingMatrix::scaling(x, y, z));
}
void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    transform("glScaled", {x, y, z}, RecordingMatrix::scaling(x, y, z));
}

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    projection("glOrtho", l, r, b, t, n, f, false);
}

void glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    projection("glFrustum", l, r, b, t, n, f, true);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!gl().enter("glViewport", {double(x), double(y), double(width), double(height)}))
        return;
    if (width < 0 || height < 0) {
        gl().fail(GL_INVALID_VALUE, "glViewport with a negative size");
        return;
    }
    gl().state.viewport = {x, y, width, height};
}

void glDepthRange(GLclampd nearVal, GLclampd farVal) {
    if (gl().enter("glDepthRange", {nearVal, farVal}))
        gl().state.depthRange = {nearVal < 0 ? 0 : (nearVal > 1 ? 1 : nearVal),
                                 farVal < 0 ? 0 : (farVal > 1 ? 1 : farVal)};
}

}  // extern "C"
