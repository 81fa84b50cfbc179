// GLNamesQueries: the OpenGL 1.1 C names for texture objects, the glGet*
// family with GL's type conversions, pixel storage and read-backs, and
// gluErrorString, forwarded to the current context.
#include <GL/gl.h>
#include <GL/glu.h>

#include "webgl/EntryPoints.h"

#include <cmath>
#include <limits>

using webgl::entry::gl;
using webgl::entry::trace;
using webgl::entry::traceValues;

namespace {

template <typename T, typename Convert>
void get(const char* name, GLenum pname, T* params, Convert convert) {
    trace(name, pname);
    std::vector<double> values;
    bool normalized = false;
    if (!gl().get(name, pname, values, normalized))
        return;
    for (std::size_t i = 0; i < values.size(); ++i)
        params[i] = convert(values[i], normalized);
}

GLint toInteger(double v, bool normalized) {
    if (normalized) {
        // Outside [-1, 1] Mesa's conversion overflows, which on x86 gives
        // INT_MIN; an out-of-range colour shows up the same way here.
        const double scaled = v * 2147483647.0;
        if (scaled > 2147483647.0 || scaled < -2147483648.0)
            return std::numeric_limits<GLint>::min();
        return static_cast<GLint>(scaled);
    }
    return static_cast<GLint>(std::lround(v));
}

}  // namespace

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
    const std::vector<GLuint> names = gl().genTextures(n, textures);
    traceValues("glGenTextures", {double(n)}, names.data(), int(names.size()));
}
void glDeleteTextures(GLsizei n, const GLuint* textures) {
    traceValues("glDeleteTextures", {double(n)}, textures, n > 0 ? n : 0);
    gl().deleteTextures(n, textures);
}
GLboolean glIsTexture(GLuint texture) {
    trace("glIsTexture", texture);
    return gl().isTexture(texture) ? GL_TRUE : GL_FALSE;
}
void glBindTexture(GLenum target, GLuint texture) {
    trace("glBindTexture", target, texture);
    gl().bindTexture(target, texture);
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    trace("glTexImage2D", target, level, internalFormat, width, height, border, format, type);
    gl().texImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    trace("glTexParameteri", target, pname, param);
    gl().texParameter("glTexParameteri", target, pname, param);
}
void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    trace("glTexParameterf", target, pname, static_cast<GLint>(param));
    gl().texParameter("glTexParameterf", target, pname, static_cast<GLint>(param));
}
void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    trace("glTexEnvf", target, pname, static_cast<GLint>(param));
    gl().texEnv("glTexEnvf", target, pname, static_cast<GLint>(param));
}
void glTexEnvi(GLenum target, GLenum pname, GLint param) {
    trace("glTexEnvi", target, pname, param);
    gl().texEnv("glTexEnvi", target, pname, param);
}
void glCopyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                      GLsizei width, GLsizei height, GLint border) {
    trace("glCopyTexImage2D", target, level, internalFormat, x, y, width, height, border);
    gl().copyTexImage2D(target, level, internalFormat, x, y, width, height, border);
}
void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                         GLint y, GLsizei width, GLsizei height) {
    trace("glCopyTexSubImage2D", target, level, xoffset, yoffset, x, y, width, height);
    gl().copyTexSubImage2D(target, level, xoffset, yoffset, x, y, width, height);
}

GLenum glGetError(void) { trace("glGetError"); return gl().getError(); }
GLboolean glIsEnabled(GLenum cap) {
    trace("glIsEnabled", cap);
    return gl().isEnabled(cap) ? GL_TRUE : GL_FALSE;
}
void glGetIntegerv(GLenum pname, GLint* params) { get("glGetIntegerv", pname, params, toInteger); }
void glGetFloatv(GLenum pname, GLfloat* params) {
    get("glGetFloatv", pname, params, [](double v, bool) { return static_cast<GLfloat>(v); });
}
void glGetDoublev(GLenum pname, GLdouble* params) {
    get("glGetDoublev", pname, params, [](double v, bool) { return v; });
}
void glGetBooleanv(GLenum pname, GLboolean* params) {
    get("glGetBooleanv", pname, params,
        [](double v, bool) -> GLboolean { return v != 0 ? GL_TRUE : GL_FALSE; });
}
void glGetTexEnviv(GLenum target, GLenum pname, GLint* params) {
    trace("glGetTexEnviv", target, pname);
    gl().getTexEnv(target, pname, params);
}
void glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    trace("glGetTexParameteriv", target, pname);
    gl().getTexParameter(target, pname, params);
}
void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    trace("glGetTexLevelParameteriv", target, level, pname);
    gl().getTexLevelParameter(target, level, pname, params);
}
void glPixelStorei(GLenum pname, GLint param) {
    trace("glPixelStorei", pname, param);
    gl().pixelStore(pname, param);
}
void glReadBuffer(GLenum mode) { trace("glReadBuffer", mode); gl().readBuffer(mode); }
void glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
    trace("glGetTexImage", target, level, format, type);
    gl().getTexImage(target, level, format, type, pixels);
}
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
    trace("glReadPixels", x, y, width, height, format, type);
    gl().readPixels(x, y, width, height, format, type, pixels);
}
const GLubyte* glGetString(GLenum name) { trace("glGetString", name); return gl().getString(name); }

const GLubyte* gluErrorString(GLenum error) {
    const char* text = "unknown error";
    switch (error) {
    case GL_NO_ERROR: text = "no error"; break;
    case GL_INVALID_ENUM: text = "invalid enumerant"; break;
    case GL_INVALID_VALUE: text = "invalid value"; break;
    case GL_INVALID_OPERATION: text = "invalid operation"; break;
    case GL_STACK_OVERFLOW: text = "stack overflow"; break;
    case GL_STACK_UNDERFLOW: text = "stack underflow"; break;
    case GL_OUT_OF_MEMORY: text = "out of memory"; break;
    default: break;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

}  // extern "C"
