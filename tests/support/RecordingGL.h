// RecordingGL: a stand-in for libGL/libGLU, linked into the call-sequence
// test binaries instead of Mesa: the web layer's GL state model (webgl/) with
// a backend that records every call and collects each glBegin/glEnd
// primitive with its vertices in eye space, so a test can count primitives
// and check the state a draw leaves behind.
#pragma once

#include <GL/gl.h>
// Where gl.h stops at OpenGL 1.1 (Windows), the later constants the
// recorder knows (BGRA, clamp to edge) come from here.
#include <GL/glext.h>

#include "webgl/State.h"

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

// The GL state and texture objects are the web layer's own model: the
// recording GL is that model with a backend that logs instead of drawing.
using State = webgl::State;
using Texture = webgl::Texture;

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
