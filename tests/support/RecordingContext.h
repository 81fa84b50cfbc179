// RecordingContext: the one in-process "GL context" behind the recording GL.
// It holds the call log, the collected primitives, the error flag and the
// state the demo touches; the extern "C" gl*/glu* entry points drive it.
#pragma once

#include "tests/support/RecordingGL.h"
#include "tests/support/RecordingMatrix.h"

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RecordingContext {
public:
    // Stack limits of Mesa's software drivers.
    static constexpr int maxModelviewDepth = 32;
    static constexpr int maxProjectionDepth = 32;
    static constexpr int maxTextureDepth = 10;
    static constexpr int maxAttribDepth = 16;
    static constexpr int maxTextureSize = 16384;
    static constexpr int initialWidth = 640;
    static constexpr int initialHeight = 480;

    static RecordingContext& instance();

    void reset();

    // Logs the call; false (and GL_INVALID_OPERATION) when the call is not
    // allowed between glBegin and glEnd and one is open.
    bool enter(const char* name, std::initializer_list<double> args);
    bool enter(const char* name, std::vector<double> args);
    // Logs a call that is legal anywhere (glVertex, glColor, ...).
    void enterAnywhere(const char* name, std::vector<double> args);

    // Flags misuse and raises a GL error (the first one sticks until read).
    void fail(GLenum error, const std::string& what);
    // Flags misuse the real GL leaves undefined rather than reporting.
    void note(const std::string& what);
    GLenum takeError();
    // "glHint target 0x0c50" style text for misuse reports.
    static std::string describe(const char* what, GLenum value);

    static bool isCapability(GLenum cap);
    void setEnabled(GLenum cap, bool on);
    bool enabled(GLenum cap) const;

    std::vector<RecordingMatrix>& stack(GLenum mode);
    const std::vector<RecordingMatrix>& stack(GLenum mode) const;
    int stackLimit(GLenum mode) const;
    RecordingMatrix& current() { return stack(state.matrixMode).back(); }
    void multiply(const RecordingMatrix& by);
    void pushMatrix();
    void popMatrix();
    void syncDepths();

    void pushAttrib(GLbitfield mask);
    void popAttrib();

    void begin(GLenum mode);
    void end();
    void vertex(float x, float y, float z, float w);

    // The texture object bound to GL_TEXTURE_2D (the default object for 0).
    recgl::Texture& boundTexture();
    recgl::Texture* findTexture(GLuint name);

    recgl::State state;
    std::vector<recgl::Call> callLog;
    std::vector<recgl::Primitive> primitiveLog;
    std::vector<std::string> misuseLog;
    std::map<GLuint, recgl::Texture> textures;
    recgl::Texture defaultTexture;
    GLuint nextTextureName = 1;
    bool failNextGen = false;
    bool powerOfTwoOnly = false;
    GLenum error = GL_NO_ERROR;

private:
    RecordingContext() { reset(); }

    std::vector<RecordingMatrix> modelview;
    std::vector<RecordingMatrix> projection;
    std::vector<RecordingMatrix> textureStack;
    std::vector<std::pair<GLbitfield, recgl::State>> attribStack;
    recgl::Primitive openPrimitive;
};
