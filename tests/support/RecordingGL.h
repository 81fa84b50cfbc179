// RecordingGL: a stand-in for libGL/libGLU, linked into the call-sequence
// test binaries instead of Mesa. It records every call, keeps the GL state
// the demo touches (enables, matrices, attribute stack, colour, texture
// binding, polygon mode, blend function, point size, fog, viewport ...), and
// collects each glBegin/glEnd primitive with its vertices in eye space, so a
// test can count primitives and check the state a draw leaves behind.
#pragma once

#include <GL/gl.h>
// Where gl.h stops at OpenGL 1.1 (Windows), the later constants the
// recorder knows (BGRA, clamp to edge) come from here.
#include <GL/glext.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace recgl {

struct Vertex {
    std::array<float, 4> object;  // as passed to glVertex* (w = 1 unless given)
    std::array<float, 4> eye;     // object transformed by the model-view matrix
    std::array<float, 4> color;   // current colour when the vertex was sent
    std::array<float, 2> texCoord;
};

struct Primitive {
    GLenum mode = 0;
    std::vector<Vertex> vertices;
};

struct Call {
    std::string name;          // "glRotatef", "gluPerspective", ...
    std::vector<double> args;  // numeric arguments in order (enums as numbers)
    // Pointer arguments are recorded as the values they point to: glColor4fv
    // its 4 floats, glMultMatrixf its 16, glFogfv 4 for GL_FOG_COLOR else 1,
    // glDeleteTextures n then the names, glGenTextures n then the names it
    // handed out. Image and read-back pointers (glTexImage2D, glReadPixels,
    // glGet*) are left out.
};

struct State {
    std::vector<GLenum> enabledCaps;  // every capability currently enabled
    GLenum polygonModeFront = GL_FILL;
    GLenum polygonModeBack = GL_FILL;
    GLenum blendSrc = GL_ONE;
    GLenum blendDst = GL_ZERO;
    GLenum depthFunc = GL_LESS;
    GLenum frontFace = GL_CCW;
    GLenum matrixMode = GL_MODELVIEW;
    std::array<float, 4> color{1, 1, 1, 1};
    std::array<float, 4> clearColor{0, 0, 0, 0};
    std::array<GLint, 4> viewport{0, 0, 0, 0};
    float pointSize = 1.0f;
    float lineWidth = 1.0f;
    GLuint boundTexture2D = 0;
    GLint fogMode = GL_EXP;
    std::array<float, 4> fogColor{0, 0, 0, 0};
    float fogDensity = 1.0f, fogStart = 0.0f, fogEnd = 1.0f;
    GLint texEnvMode = GL_MODULATE;
    int modelviewDepth = 1;   // stack depth, 1 = nothing pushed
    int projectionDepth = 1;
    int textureDepth = 1;
    int attribDepth = 0;
    bool insideBeginEnd = false;

    std::array<float, 2> texCoord{0, 0};   // current texture coordinate (s, t)
    std::array<float, 3> normal{0, 0, 1};
    GLenum shadeModel = GL_SMOOTH;
    GLenum cullFaceMode = GL_BACK;
    std::map<GLenum, GLenum> hints;        // targets never set are GL_DONT_CARE
    float clearDepth = 1.0f;
    bool depthMask = true;
    std::array<double, 2> depthRange{0, 1};
    GLenum readBuffer = GL_BACK;
    GLint packAlignment = 4;
    GLint unpackAlignment = 4;
};

// A texture object as the demo left it: parameters, image size, and a copy
// of the pixels when they were uploaded as GL_RGBA / GL_UNSIGNED_BYTE.
struct Texture {
    GLuint name = 0;
    bool hasImage = false;
    GLsizei width = 0, height = 0;
    GLint internalFormat = 0;
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    std::vector<std::uint8_t> pixels;  // width * height * 4, top row last
    int imageUploads = 0;              // glTexImage2D / glCopyTexImage2D
    int copies = 0;                    // glCopyTexSubImage2D
    bool everBound = false;            // glIsTexture is true only after a bind
};

// Forgets every call, primitive and error and returns to the initial state
// (which matches a fresh GL 1.1 context, with viewport (0, 0, 640, 480)).
void reset();

// Forgets the recorded calls, primitives and misuse reports but keeps the
// GL state (and a pending error), so a test can set state up first and then
// look only at what the code under test called.
void clearLog();

const std::vector<Call>& calls();
const std::vector<Primitive>& primitives();
const State& state();

bool isEnabled(GLenum cap);
std::array<float, 16> matrix(GLenum mode);  // top of that stack, column-major

// Number of recorded calls with this name.
int count(const std::string& name);
// Recorded calls with this name, in order.
std::vector<Call> callsNamed(const std::string& name);

// Misuse the real GL would flag (stack overflow/underflow, a call that is not
// allowed between glBegin and glEnd, nested glBegin, glEnd without glBegin,
// an unknown enum or bad value): collected here with a short description,
// and also reported through glGetError like the real thing. A few notes
// raise no error: glVertex outside glBegin/glEnd (undefined in GL), and
// mipmap levels and 1D textures, which the recording GL does not track.
const std::vector<std::string>& misuse();

// glGenTextures hands out 1, 2, 3 ... (continuing after the highest name
// ever bound, as Mesa does; deleted names are not reused).
// Makes the next glGenTextures hand out name 0, as a failing driver would.
void failNextGenTextures();

// Hint mode currently set for a hint target (GL_DONT_CARE when never set).
GLenum hint(GLenum target);

// A live (generated or bound, not deleted) texture object, or nullptr.
const Texture* texture(GLuint name);
// Names of every live texture object, ascending.
std::vector<GLuint> liveTextures();

// Makes glTexImage2D / glCopyTexImage2D reject sizes that are not powers of
// two with GL_INVALID_VALUE, as a strict OpenGL 1.1 driver does. Mesa accepts
// them, so this is off after reset().
void requirePowerOfTwoTextures(bool on);

// The error glGetError would return next, without clearing it.
GLenum pendingError();

}  // namespace recgl
