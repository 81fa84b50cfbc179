// RecordingMatrix: the 4x4 column-major matrix maths of OpenGL 1.1 and GLU,
// used by the recording GL to keep real matrix stacks so tests can check
// where the demo's vertices end up in eye space.
#pragma once

#include <array>

class RecordingMatrix {
public:
    std::array<float, 16> m;  // column-major, m[column * 4 + row]

    RecordingMatrix();  // identity
    explicit RecordingMatrix(const std::array<float, 16>& values) : m(values) {}

    static RecordingMatrix fromDoubles(const double* values);
    static RecordingMatrix translation(double x, double y, double z);
    static RecordingMatrix scaling(double x, double y, double z);
    // Degrees about (x, y, z); an axis shorter than 1e-4 gives the identity,
    // as Mesa does.
    static RecordingMatrix rotation(double angleDegrees, double x, double y, double z);
    static RecordingMatrix ortho(double left, double right, double bottom, double top,
                                 double nearVal, double farVal);
    static RecordingMatrix frustum(double left, double right, double bottom, double top,
                                   double nearVal, double farVal);

    // this * other, the order glMultMatrix uses.
    RecordingMatrix operator*(const RecordingMatrix& other) const;
    std::array<float, 4> apply(const std::array<float, 4>& v) const;
    float at(int row, int column) const { return m[column * 4 + row]; }
};
