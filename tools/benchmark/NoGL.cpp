// NoGL: an OpenGL and GLU that do nothing, linked into velmora_benchmark_cpu
// in place of Mesa so that timing a frame times only the demo's own code —
// the objects' animation, the scenes' arithmetic and their loops — and none
// of OpenGL's. Texture names are still handed out, as the scenes need them.
#include <GL/gl.h>
#include <GL/glu.h>

namespace {
GLuint nextTexture = 1;
}

extern "C" {
void glBegin(GLenum) {}
void glEnd() {}
void glBindTexture(GLenum, GLuint) {}
void glBlendFunc(GLenum, GLenum) {}
void glClear(GLbitfield) {}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glColor4fv(const GLfloat*) {}
void glColor4ub(GLubyte, GLubyte, GLubyte, GLubyte) {}
void glCopyTexImage2D(GLenum, GLint, GLenum, GLint, GLint, GLsizei, GLsizei, GLint) {}
void glCopyTexSubImage2D(GLenum, GLint, GLint, GLint, GLint, GLint, GLsizei, GLsizei) {}
void glDeleteTextures(GLsizei, const GLuint*) {}
void glDepthFunc(GLenum) {}
void glDisable(GLenum) {}
void glEnable(GLenum) {}
void glFogf(GLenum, GLfloat) {}
void glFogfv(GLenum, const GLfloat*) {}
void glFogi(GLenum, GLint) {}
void glFrontFace(GLenum) {}
void glGenTextures(GLsizei n, GLuint* names) {
    for (GLsizei i = 0; i < n; ++i) names[i] = nextTexture++;
}
GLenum glGetError() { return GL_NO_ERROR; }
void glGetFloatv(GLenum, GLfloat* values) {
    // Only the current colour is ever asked for.
    for (int i = 0; i < 4; ++i) values[i] = 1.0f;
}
void glHint(GLenum, GLenum) {}
void glLineWidth(GLfloat) {}
void glLoadIdentity() {}
void glMatrixMode(GLenum) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glPointSize(GLfloat) {}
void glPolygonMode(GLenum, GLenum) {}
void glPopAttrib() {}
void glPopMatrix() {}
void glPushAttrib(GLbitfield) {}
void glPushMatrix() {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glShadeModel(GLenum) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glTexCoord2i(GLint, GLint) {}
void glTexEnvf(GLenum, GLenum, GLfloat) {}
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {}
void glTexParameteri(GLenum, GLenum, GLint) {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glVertex2f(GLfloat, GLfloat) {}
void glVertex2i(GLint, GLint) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
               GLdouble) {}
void gluPerspective(GLdouble, GLdouble, GLdouble, GLdouble) {}
}
