// DotSphere: a sphere of points drawn as smoothed dots with a line wireframe
// through them. The intro scene shows four small ones; PulsingSphere builds
// on it and replaces the drawing.
#pragma once

#include <memory>

#include "gfx/Object3D.h"

class DotSphere : public Object3D {
public:
    // resolution is truncated toward zero; the sphere holds resolution²
    // points. A zero, negative or overflowing count fails like an allocation
    // (std::bad_alloc family) and nothing is built.
    DotSphere(float resolution, float radius);
    ~DotSphere() override;

    DotSphere(const DotSphere&) = delete;
    DotSphere& operator=(const DotSphere&) = delete;

    using Object3D::draw;
    // time is accepted for the owner's convenience and ignored.
    virtual void draw(float time);

    float radius;
    int pointCount;                  // resolution × resolution
    std::unique_ptr<float[]> points; // 4 floats per point: x, y, z, unused
    int resolution;
};
