// Matrix: OpenGL 1.1 matrix construction and products, computed in
// double precision and stored as floats like a GL implementation keeps them.
#include "webgl/Matrix.h"

#include <cmath>

namespace webgl {

namespace {

constexpr double pi = 3.14159265358979323846;

Matrix fromRows(const double rows[4][4]) {
    Matrix result;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            result.m[column * 4 + row] = static_cast<float>(rows[row][column]);
    return result;
}

}  // namespace

Matrix::Matrix() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

Matrix Matrix::fromDoubles(const double* values) {
    Matrix result;
    for (int i = 0; i < 16; ++i)
        result.m[i] = static_cast<float>(values[i]);
    return result;
}

Matrix Matrix::translation(double x, double y, double z) {
    Matrix result;
    result.m[12] = static_cast<float>(x);
    result.m[13] = static_cast<float>(y);
    result.m[14] = static_cast<float>(z);
    return result;
}

Matrix Matrix::scaling(double x, double y, double z) {
    Matrix result;
    result.m[0] = static_cast<float>(x);
    result.m[5] = static_cast<float>(y);
    result.m[10] = static_cast<float>(z);
    return result;
}

Matrix Matrix::rotation(double angleDegrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4)
        return Matrix();
    x /= length;
    y /= length;
    z /= length;
    const double radians = angleDegrees * pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double t = 1.0 - c;
    const double rows[4][4] = {
        {x * x * t + c, x * y * t - z * s, x * z * t + y * s, 0},
        {y * x * t + z * s, y * y * t + c, y * z * t - x * s, 0},
        {x * z * t - y * s, y * z * t + x * s, z * z * t + c, 0},
        {0, 0, 0, 1},
    };
    return fromRows(rows);
}

Matrix Matrix::ortho(double left, double right, double bottom, double top,
                                       double nearVal, double farVal) {
    const double rows[4][4] = {
        {2.0 / (right - left), 0, 0, -(right + left) / (right - left)},
        {0, 2.0 / (top - bottom), 0, -(top + bottom) / (top - bottom)},
        {0, 0, -2.0 / (farVal - nearVal), -(farVal + nearVal) / (farVal - nearVal)},
        {0, 0, 0, 1},
    };
    return fromRows(rows);
}

Matrix Matrix::frustum(double left, double right, double bottom, double top,
                                         double nearVal, double farVal) {
    const double rows[4][4] = {
        {2.0 * nearVal / (right - left), 0, (right + left) / (right - left), 0},
        {0, 2.0 * nearVal / (top - bottom), (top + bottom) / (top - bottom), 0},
        {0, 0, -(farVal + nearVal) / (farVal - nearVal),
         -2.0 * farVal * nearVal / (farVal - nearVal)},
        {0, 0, -1, 0},
    };
    return fromRows(rows);
}

Matrix Matrix::operator*(const Matrix& other) const {
    Matrix result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(at(row, k)) * other.at(k, column);
            result.m[column * 4 + row] = static_cast<float>(sum);
        }
    }
    return result;
}

std::array<float, 4> Matrix::apply(const std::array<float, 4>& v) const {
    std::array<float, 4> result{};
    for (int row = 0; row < 4; ++row) {
        double sum = 0;
        for (int k = 0; k < 4; ++k)
            sum += static_cast<double>(at(row, k)) * v[k];
        result[row] = static_cast<float>(sum);
    }
    return result;
}

}  // namespace webgl
