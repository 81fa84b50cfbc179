// Matrix: the 4x4 column-major matrix maths of OpenGL 1.1 and GLU, kept the
// way a GL implementation keeps its stacks (computed in double, stored in
// float), so the web layer's vertices land where Mesa puts them.
#pragma once

#include <array>

namespace webgl {

class Matrix {
public:
    std::array<float, 16> m;  // column-major, m[column * 4 + row]

    Matrix();  // identity
    explicit Matrix(const std::array<float, 16>& values) : m(values) {}

    static Matrix fromDoubles(const double* values);
    static Matrix translation(double x, double y, double z);
    static Matrix scaling(double x, double y, double z);
    // Degrees about (x, y, z); an axis shorter than 1e-4 gives the identity,
    // as Mesa does.
    static Matrix rotation(double angleDegrees, double x, double y, double z);
    static Matrix ortho(double left, double right, double bottom, double top,
                                 double nearVal, double farVal);
    static Matrix frustum(double left, double right, double bottom, double top,
                                   double nearVal, double farVal);

    // this * other, the order glMultMatrix uses.
    Matrix operator*(const Matrix& other) const;
    std::array<float, 4> apply(const std::array<float, 4>& v) const;
    float at(int row, int column) const { return m[column * 4 + row]; }
};

}  // namespace webgl
