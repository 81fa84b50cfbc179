// Backend: what sits under the GL state model — the web layer's renderer,
// which turns primitives into WebGL draws, or the tests' recording, which
// logs calls and primitives. The context calls these only for calls that
// passed its checks, with its state already updated.
#pragma once

#include "webgl/State.h"

#include <cstddef>
#include <string>
#include <vector>

namespace webgl {

class Backend {
public:
    virtual ~Backend() = default;

    // True when every entry point should be reported through call(); the
    // arguments are then built for each call, so a renderer says no.
    virtual bool tracesCalls() const { return false; }
    // An entry point as called: its numeric arguments in order (enums as
    // numbers), pointer arguments as the values they point to.
    virtual void call(const char* /*name*/, std::vector<double> /*args*/) {}
    // Misuse the real GL would flag or leave undefined, in a short text.
    virtual void misuse(const std::string& /*what*/) {}

    // A glBegin/glEnd pair has ended (vertices may be empty).
    virtual void primitive(GLenum mode, const std::vector<Vertex>& vertices) = 0;
    virtual void clear(GLbitfield /*mask*/) {}
    // False makes glGenTextures hand out name 0, as a failing driver would.
    virtual bool textureNamesAvailable() { return true; }
    // Level 0 of texture `name` was (re)specified; pixels may be null.
    virtual void textureImage(GLuint /*name*/, const void* /*pixels*/, GLenum /*format*/,
                              GLenum /*type*/) {}
    // Level 0 of texture `name` was taken from the framebuffer at (x, y).
    virtual void copyTextureImage(GLuint /*name*/, GLint /*x*/, GLint /*y*/) {}
    virtual void copyTextureSubImage(GLuint /*name*/, GLint /*xoffset*/, GLint /*yoffset*/,
                                     GLint /*x*/, GLint /*y*/, GLsizei /*width*/,
                                     GLsizei /*height*/) {}
    virtual void deleteTexture(GLuint /*name*/) {}
    // Fills `height` rows of `rowBytes` bytes, `stride` apart, from the
    // framebuffer; format and type were checked. A backend without pixels
    // hands back zeros.
    virtual void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                            GLenum type, std::size_t stride, std::size_t rowBytes, void* pixels);
    // Fills rows as readPixels does with level 0 of texture `name` (an image
    // of the given size exists), for what the context keeps no copy of.
    virtual void readTexture(GLuint name, GLsizei width, GLsizei height, GLenum format,
                             GLenum type, std::size_t stride, std::size_t rowBytes, void* pixels);
    // glFlush (finish false) and glFinish.
    virtual void flush(bool /*finish*/) {}
};

}  // namespace webgl
