// RecordingGL: a stand-in for libGL/libGLU, linked into the call-sequence
// test binaries instead of Mesa. It records every call, keeps the GL state
// the demo touches (enables, matrices, attribute stack, colour, texture
// binding, polygon mode, blend function, point size, fog, viewport ...), and
// collects each glBegin/glEnd primitive with its vertices in eye space, so a
// test can count primitives and check the state a draw leaves behind.
#pragma once

#include <GL/gl.h>

#include <array>
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
};

// Forgets every call, primitive and error and returns to the initial state
// (which matches a fresh GL 1.1 context, with viewport (0, 0, 640, 480)).
void reset();

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
// an unknown enum): collected here with a short description, and also
// reported through glGetError like the real thing.
const std::vector<std::string>& misuse();

// Makes the next glGenTextures hand out name 0, as a failing driver would.
void failNextGenTextures();

}  // namespace recgl
