// The recording GL's GLU entry points, computed the way Mesa's GLU does and
// applied to the current matrix without logging the GL calls GLU makes.
#include <GL/gl.h>
#include <GL/glu.h>

#include "tests/support/RecordingContext.h"

#include <cmath>

namespace {

RecordingContext& gl() { return RecordingContext::instance(); }

constexpr double pi = 3.14159265358979323846;

void normalize(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f)
        return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

extern "C" {

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    if (!gl().enter("gluPerspective", {fovy, aspect, zNear, zFar}))
        return;
    const double radians = fovy / 2 * pi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    // GLU returns silently on a degenerate volume, leaving the matrix as it was.
    if (deltaZ == 0 || sine == 0 || aspect == 0) {
        gl().note("gluPerspective with a degenerate volume does nothing");
        return;
    }
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    gl().multiply(RecordingMatrix::fromDoubles(m));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    if (!gl().enter("gluLookAt", {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ}))
        return;
    float forward[3] = {float(centerX - eyeX), float(centerY - eyeY), float(centerZ - eyeZ)};
    float up[3] = {float(upX), float(upY), float(upZ)};
    normalize(forward);
    float side[3];
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    double m[16] = {};
    for (int i = 0; i < 3; ++i) {
        m[i * 4 + 0] = side[i];
        m[i * 4 + 1] = up[i];
        m[i * 4 + 2] = -forward[i];
    }
    m[15] = 1;
    gl().multiply(RecordingMatrix::fromDoubles(m));
    gl().multiply(RecordingMatrix::translation(-eyeX, -eyeY, -eyeZ));
}

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    if (!gl().enter("gluOrtho2D", {left, right, bottom, top}))
        return;
    if (left == right || bottom == top) {
        gl().fail(GL_INVALID_VALUE, "gluOrtho2D with an empty volume");
        return;
    }
    gl().multiply(RecordingMatrix::ortho(left, right, bottom, top, -1, 1));
}

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
