// Context: matrix mode, loads and products, projections, viewport and depth
// range, and the GLU helpers, computed the way Mesa's GL and GLU do: each
// multiplies the current matrix, as the real ones do.
#include "webgl/Context.h"

#include <cmath>

namespace webgl {

namespace {

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

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

}  // namespace

void Context::matrixMode(GLenum mode) {
    if (!outsideBeginEnd("glMatrixMode"))
        return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        fail(GL_INVALID_ENUM, describe("glMatrixMode", mode));
        return;
    }
    live.matrixMode = mode;
}

void Context::loadMatrix(const char* name, const Matrix& matrix) {
    if (outsideBeginEnd(name))
        currentMatrix() = matrix;
}

void Context::multiply(const char* name, const Matrix& by) {
    if (outsideBeginEnd(name))
        currentMatrix() = currentMatrix() * by;
}

void Context::projection(const char* name, double l, double r, double b, double t, double n,
                         double f, bool perspective) {
    if (!outsideBeginEnd(name))
        return;
    if (l == r || b == t || n == f || (perspective && (n <= 0 || f <= 0))) {
        fail(GL_INVALID_VALUE, std::string(name) + " with an empty or inverted volume");
        return;
    }
    currentMatrix() = currentMatrix() * (perspective ? Matrix::frustum(l, r, b, t, n, f)
                                                     : Matrix::ortho(l, r, b, t, n, f));
}

void Context::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!outsideBeginEnd("glViewport"))
        return;
    if (width < 0 || height < 0) {
        fail(GL_INVALID_VALUE, "glViewport with a negative size");
        return;
    }
    live.viewport = {x, y, width, height};
}

void Context::scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!outsideBeginEnd("glScissor"))
        return;
    if (width < 0 || height < 0) {
        fail(GL_INVALID_VALUE, "glScissor with a negative size");
        return;
    }
    live.scissorBox = {x, y, width, height};
}

void Context::depthRange(double nearVal, double farVal) {
    if (outsideBeginEnd("glDepthRange"))
        live.depthRange = {clamp01(nearVal), clamp01(farVal)};
}

void Context::perspective(double fovy, double aspect, double zNear, double zFar) {
    if (!outsideBeginEnd("gluPerspective"))
        return;
    const double radians = fovy / 2 * pi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    // GLU returns silently on a degenerate volume, leaving the matrix as it was.
    if (deltaZ == 0 || sine == 0 || aspect == 0) {
        note("gluPerspective with a degenerate volume does nothing");
        return;
    }
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    currentMatrix() = currentMatrix() * Matrix::fromDoubles(m);
}

void Context::lookAt(const double eye[3], const double center[3], const double upVector[3]) {
    if (!outsideBeginEnd("gluLookAt"))
        return;
    // GLU works in single precision here; so does this.
    float forward[3] = {float(center[0] - eye[0]), float(center[1] - eye[1]),
                        float(center[2] - eye[2])};
    float up[3] = {float(upVector[0]), float(upVector[1]), float(upVector[2])};
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
    currentMatrix() = currentMatrix() * Matrix::fromDoubles(m);
    currentMatrix() = currentMatrix() * Matrix::translation(-eye[0], -eye[1], -eye[2]);
}

void Context::ortho2D(double left, double right, double bottom, double top) {
    if (!outsideBeginEnd("gluOrtho2D"))
        return;
    if (left == right || bottom == top) {
        fail(GL_INVALID_VALUE, "gluOrtho2D with an empty volume");
        return;
    }
    currentMatrix() = currentMatrix() * Matrix::ortho(left, right, bottom, top, -1, 1);
}

}  // namespace webgl
