// GLNames: the OpenGL 1.1 and GLU C names for drawing, fixed-function state,
// matrices and GLU, forwarded to the current context. A program links these
// instead of libGL/libGLU: the web build, the tests' recording GL, and the
// layer's own native test module, which is loaded beside Mesa without its
// names leaking into Mesa's (see webgl/Layer.h).
#include <GL/gl.h>
#include <GL/glu.h>

#include "webgl/EntryPoints.h"

using webgl::Matrix;
using webgl::entry::gl;
using webgl::entry::trace;
using webgl::entry::traceValues;

namespace {

void fog(const char* name, GLenum pname, const float values[4], int count) {
    traceValues(name, {double(pname)}, values, count);
    gl().fog(name, pname, values, count);
}

int fogValueCount(GLenum pname) { return pname == GL_FOG_COLOR ? 4 : 1; }

Matrix matrixOf(const GLfloat* m) {
    std::array<float, 16> values;
    std::copy(m, m + 16, values.begin());
    return Matrix(values);
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) { trace("glBegin", mode); gl().begin(mode); }
void glEnd(void) { trace("glEnd"); gl().end(); }

void glVertex2i(GLint x, GLint y) { trace("glVertex2i", x, y); gl().vertex(x, y, 0, 1); }
void glVertex2f(GLfloat x, GLfloat y) { trace("glVertex2f", x, y); gl().vertex(x, y, 0, 1); }
void glVertex2d(GLdouble x, GLdouble y) {
    trace("glVertex2d", x, y);
    gl().vertex(float(x), float(y), 0, 1);
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    trace("glVertex3f", x, y, z);
    gl().vertex(x, y, z, 1);
}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    trace("glVertex3d", x, y, z);
    gl().vertex(float(x), float(y), float(z), 1);
}
void glVertex3fv(const GLfloat* v) { trace("glVertex3fv", v[0], v[1], v[2]); gl().vertex(v[0], v[1], v[2], 1); }
void glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    trace("glVertex4f", x, y, z, w);
    gl().vertex(x, y, z, w);
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { trace("glColor3f", r, g, b); gl().color(r, g, b, 1); }
void glColor3fv(const GLfloat* v) { trace("glColor3fv", v[0], v[1], v[2]); gl().color(v[0], v[1], v[2], 1); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    trace("glColor4f", r, g, b, a);
    gl().color(r, g, b, a);
}
void glColor4fv(const GLfloat* v) {
    trace("glColor4fv", v[0], v[1], v[2], v[3]);
    gl().color(v[0], v[1], v[2], v[3]);
}
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    trace("glColor3ub", r, g, b);
    gl().color(r / 255.0f, g / 255.0f, b / 255.0f, 1);
}
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    trace("glColor4ub", r, g, b, a);
    gl().color(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

void glTexCoord2f(GLfloat s, GLfloat t) { trace("glTexCoord2f", s, t); gl().texCoord(s, t); }
void glTexCoord2d(GLdouble s, GLdouble t) {
    trace("glTexCoord2d", float(s), float(t));
    gl().texCoord(float(s), float(t));
}
void glTexCoord2i(GLint s, GLint t) {
    trace("glTexCoord2i", float(s), float(t));
    gl().texCoord(float(s), float(t));
}
void glTexCoord2fv(const GLfloat* v) { trace("glTexCoord2fv", v[0], v[1]); gl().texCoord(v[0], v[1]); }

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { trace("glNormal3f", x, y, z); gl().normal(x, y, z); }
void glEdgeFlag(GLboolean flag) { trace("glEdgeFlag", flag); }

void glPushAttrib(GLbitfield mask) { trace("glPushAttrib", mask); gl().pushAttrib(mask); }
void glPopAttrib(void) { trace("glPopAttrib"); gl().popAttrib(); }
void glEnable(GLenum cap) { trace("glEnable", cap); gl().enable("glEnable", cap, true); }
void glDisable(GLenum cap) { trace("glDisable", cap); gl().enable("glDisable", cap, false); }
void glBlendFunc(GLenum s, GLenum d) { trace("glBlendFunc", s, d); gl().blendFunc(s, d); }
void glPolygonMode(GLenum face, GLenum mode) {
    trace("glPolygonMode", face, mode);
    gl().polygonMode(face, mode);
}
void glPointSize(GLfloat size) { trace("glPointSize", size); gl().pointSize(size); }
void glLineWidth(GLfloat width) { trace("glLineWidth", width); gl().lineWidth(width); }
void glHint(GLenum target, GLenum mode) { trace("glHint", target, mode); gl().hint(target, mode); }
void glShadeModel(GLenum mode) { trace("glShadeModel", mode); gl().shadeModel(mode); }
void glClear(GLbitfield mask) { trace("glClear", mask); gl().clear(mask); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    trace("glClearColor", r, g, b, a);
    gl().clearColor(r, g, b, a);
}
void glClearDepth(GLclampd depth) { trace("glClearDepth", depth); gl().clearDepth(depth); }
void glDepthFunc(GLenum func) { trace("glDepthFunc", func); gl().depthFunc(func); }
void glDepthMask(GLboolean flag) { trace("glDepthMask", flag); gl().depthMask(flag != GL_FALSE); }
void glFrontFace(GLenum mode) { trace("glFrontFace", mode); gl().frontFace(mode); }
void glCullFace(GLenum mode) { trace("glCullFace", mode); gl().cullFace(mode); }

void glFogf(GLenum pname, GLfloat param) {
    const float values[4] = {param, 0, 0, 0};
    fog("glFogf", pname, values, 1);
}
void glFogi(GLenum pname, GLint param) {
    const float values[4] = {static_cast<float>(param), 0, 0, 0};
    fog("glFogi", pname, values, 1);
}
void glFogfv(GLenum pname, const GLfloat* params) {
    float values[4] = {0, 0, 0, 0};
    const int n = fogValueCount(pname);
    std::copy(params, params + n, values);
    fog("glFogfv", pname, values, n);
}
void glFogiv(GLenum pname, const GLint* params) {
    float values[4] = {0, 0, 0, 0};
    const int n = fogValueCount(pname);
    for (int i = 0; i < n; ++i)
        values[i] = pname == GL_FOG_COLOR ? params[i] / 2147483647.0f : float(params[i]);
    fog("glFogiv", pname, values, n);
}

void glFlush(void) { trace("glFlush"); gl().flush("glFlush", false); }
void glFinish(void) { trace("glFinish"); gl().flush("glFinish", true); }

void glMatrixMode(GLenum mode) { trace("glMatrixMode", mode); gl().matrixMode(mode); }
void glPushMatrix(void) { trace("glPushMatrix"); gl().pushMatrix(); }
void glPopMatrix(void) { trace("glPopMatrix"); gl().popMatrix(); }
void glLoadIdentity(void) { trace("glLoadIdentity"); gl().loadMatrix("glLoadIdentity", Matrix()); }
void glLoadMatrixf(const GLfloat* m) {
    traceValues("glLoadMatrixf", {}, m, 16);
    gl().loadMatrix("glLoadMatrixf", matrixOf(m));
}
void glLoadMatrixd(const GLdouble* m) {
    traceValues("glLoadMatrixd", {}, m, 16);
    gl().loadMatrix("glLoadMatrixd", Matrix::fromDoubles(m));
}
void glMultMatrixf(const GLfloat* m) {
    traceValues("glMultMatrixf", {}, m, 16);
    gl().multiply("glMultMatrixf", matrixOf(m));
}
void glMultMatrixd(const GLdouble* m) {
    traceValues("glMultMatrixd", {}, m, 16);
    gl().multiply("glMultMatrixd", Matrix::fromDoubles(m));
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    trace("glTranslatef", x, y, z);
    gl().multiply("glTranslatef", Matrix::translation(x, y, z));
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    trace("glTranslated", x, y, z);
    gl().multiply("glTranslated", Matrix::translation(x, y, z));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    trace("glRotatef", angle, x, y, z);
    gl().multiply("glRotatef", Matrix::rotation(angle, x, y, z));
}
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    trace("glRotated", angle, x, y, z);
    gl().multiply("glRotated", Matrix::rotation(angle, x, y, z));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    trace("glScalef", x, y, z);
    gl().multiply("glScalef", Matrix::scaling(x, y, z));
}
void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    trace("glScaled", x, y, z);
    gl().multiply("glScaled", Matrix::scaling(x, y, z));
}
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    trace("glOrtho", l, r, b, t, n, f);
    gl().projection("glOrtho", l, r, b, t, n, f, false);
}
void glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    trace("glFrustum", l, r, b, t, n, f);
    gl().projection("glFrustum", l, r, b, t, n, f, true);
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    trace("glViewport", x, y, width, height);
    gl().viewport(x, y, width, height);
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    trace("glScissor", x, y, width, height);
    gl().scissor(x, y, width, height);
}
void glDepthRange(GLclampd nearVal, GLclampd farVal) {
    trace("glDepthRange", nearVal, farVal);
    gl().depthRange(nearVal, farVal);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    trace("gluPerspective", fovy, aspect, zNear, zFar);
    gl().perspective(fovy, aspect, zNear, zFar);
}
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    trace("gluLookAt", eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
    const double eye[3] = {eyeX, eyeY, eyeZ};
    const double center[3] = {centerX, centerY, centerZ};
    const double up[3] = {upX, upY, upZ};
    gl().lookAt(eye, center, up);
}
void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    trace("gluOrtho2D", left, right, bottom, top);
    gl().ortho2D(left, right, bottom, top);
}

}  // extern "C"
