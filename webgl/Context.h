// Context: one OpenGL 1.1 + GLU state machine for exactly what the demo
// calls — checks each call the way Mesa checks it, keeps the state (enables,
// matrix and attribute stacks, texture objects, current colour ...), raises
// GL errors, and hands what must reach pixels to its Backend. The web layer
// and the tests' recording GL are this one model with different backends.
#pragma once

#include "webgl/Backend.h"
#include "webgl/Matrix.h"
#include "webgl/State.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace webgl {

class Context {
public:
    // Stack limits of Mesa's software drivers.
    static constexpr int maxModelviewDepth = 32;
    static constexpr int maxProjectionDepth = 32;
    static constexpr int maxTextureDepth = 10;
    static constexpr int maxAttribDepth = 16;
    static constexpr int maxTextureSize = 16384;
    static constexpr int initialWidth = 640;
    static constexpr int initialHeight = 480;

    struct Strings {
        const char* vendor;
        const char* renderer;
        const char* version;
    };

    Context(Backend& backend, Strings strings);
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // Back to a fresh GL 1.1 context with viewport (0, 0, 640, 480).
    void reset();

    // Copies of RGBA / GL_UNSIGNED_BYTE uploads are kept for glGetTexImage
    // only when asked for; the web layer keeps its images on the GPU.
    bool keepTextureImages = false;
    // Sizes that are not powers of two refused, as a strict GL 1.1 driver does.
    bool powerOfTwoTexturesOnly = false;

    Backend& backend() { return out; }
    bool tracing() const { return out.tracesCalls(); }
    const State& state() const { return live; }
    bool enabled(GLenum cap) const;
    const Matrix& top(GLenum mode) const { return stack(mode).back(); }
    // The texture object bound to GL_TEXTURE_2D (the default object for 0).
    const Texture& boundTexture() const;
    const Texture* findTexture(GLuint name) const;
    const std::map<GLuint, Texture>& textures() const { return objects; }
    GLenum pendingError() const { return error; }

    // Flags misuse and raises a GL error (the first one sticks until read).
    void fail(GLenum newError, const std::string& what);
    // Flags misuse the real GL leaves undefined rather than reporting.
    void note(const std::string& what);
    // "glHint target 0x0c50" style text for misuse reports.
    static std::string describe(const char* what, GLenum value);
    static bool isCapability(GLenum cap);

    // Drawing: legal anywhere, the vertex only between glBegin and glEnd.
    void begin(GLenum mode);
    void end();
    void vertex(float x, float y, float z, float w) {
        if (!live.insideBeginEnd) {
            // Undefined in GL rather than an error, but never what the demo means.
            note("glVertex outside glBegin/glEnd");
            return;
        }
        open.push_back({{x, y, z, w}, live.color, live.texCoord});
    }
    void color(float r, float g, float b, float a) { live.color = {r, g, b, a}; }
    void texCoord(float s, float t) { live.texCoord = {s, t}; }
    void normal(float x, float y, float z) { live.normal = {x, y, z}; }

    // Every other call names its entry point, for the texts of misuse.
    void pushAttrib(GLbitfield mask);
    void popAttrib();
    void enable(const char* name, GLenum cap, bool on);
    void blendFunc(GLenum sfactor, GLenum dfactor);
    void polygonMode(GLenum face, GLenum mode);
    void pointSize(float size);
    void lineWidth(float width);
    void hint(GLenum target, GLenum mode);
    void shadeModel(GLenum mode);
    void clear(GLbitfield mask);
    void clearColor(float r, float g, float b, float a);
    void clearDepth(double depth);
    void depthFunc(GLenum func);
    void depthMask(bool flag);
    void frontFace(GLenum mode);
    void cullFace(GLenum mode);
    // values always holds four floats; count says how many the caller passed.
    void fog(const char* name, GLenum pname, const float values[4], int count);
    void flush(const char* name, bool finish);

    void matrixMode(GLenum mode);
    void pushMatrix();
    void popMatrix();
    void loadMatrix(const char* name, const Matrix& matrix);
    void multiply(const char* name, const Matrix& by);
    void projection(const char* name, double l, double r, double b, double t, double n, double f,
                    bool perspective);
    void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void depthRange(double nearVal, double farVal);
    void perspective(double fovy, double aspect, double zNear, double zFar);
    void lookAt(const double eye[3], const double center[3], const double up[3]);
    void ortho2D(double left, double right, double bottom, double top);

    // Names handed out, or none when the call was refused.
    std::vector<GLuint> genTextures(GLsizei n, GLuint* names);
    void deleteTextures(GLsizei n, const GLuint* names);
    bool isTexture(GLuint name);
    void bindTexture(GLenum target, GLuint name);
    void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                    GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels);
    void texParameter(const char* name, GLenum target, GLenum pname, GLint param);
    void texEnv(const char* name, GLenum target, GLenum pname, GLint param);
    void copyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                        GLsizei width, GLsizei height, GLint border);
    void copyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                           GLint y, GLsizei width, GLsizei height);

    GLenum getError();
    bool isEnabled(GLenum cap);
    // The values of a state variable as doubles; false (and GL_INVALID_ENUM)
    // for a name the model does not know. `normalized` tells the integer
    // conversion that the values are colours in [0, 1].
    bool get(const char* name, GLenum pname, std::vector<double>& values, bool& normalized);
    bool getTexEnv(GLenum target, GLenum pname, GLint* params);
    void getTexParameter(GLenum target, GLenum pname, GLint* params);
    void getTexLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params);
    void pixelStore(GLenum pname, GLint param);
    void readBuffer(GLenum mode);
    void getTexImage(GLenum target, GLint level, GLenum format, GLenum type, void* pixels);
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    void* pixels);
    const GLubyte* getString(GLenum name);

private:
    // False (and GL_INVALID_OPERATION) when the call is not allowed between
    // glBegin and glEnd and one is open.
    bool outsideBeginEnd(const char* name);
    void setEnabled(GLenum cap, bool on);
    std::vector<Matrix>& stack(GLenum mode);
    const std::vector<Matrix>& stack(GLenum mode) const;
    int stackLimit(GLenum mode) const;
    Matrix& currentMatrix() { return stack(live.matrixMode).back(); }
    void syncDepths();
    Texture& bound();
    // Shared checks of glTexImage2D and glCopyTexImage2D; false after flagging.
    bool imageSizeOk(const char* name, GLenum target, GLint level, GLsizei width, GLsizei height,
                     GLint border);
    bool lookup(GLenum pname, std::vector<double>& out, bool& normalized) const;

    Backend& out;
    Strings strings;
    State live;
    std::vector<Matrix> modelview;
    std::vector<Matrix> projectionStack;
    std::vector<Matrix> textureStack;
    std::vector<std::pair<GLbitfield, State>> attribStack;
    std::map<GLuint, Texture> objects;
    Texture defaultTexture;
    GLuint nextTextureName = 1;
    GLenum error = GL_NO_ERROR;
    GLenum openMode = 0;
    std::vector<Vertex> open;
};

// The context the gl*/glu* entry points of this program drive. Defined once
// per program by what the program links: the web layer or the recording GL.
Context& current();

}  // namespace webgl
