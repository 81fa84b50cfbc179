// DotCylinder: rings of points stacked along y, drawn as small smoothed dots
// with one band joining the first two rings. The intro scene's cylinder.
#pragma once

#include <memory>

#include "gfx/Object3D.h"

class DotCylinder : public Object3D {
public:
    // segments is truncated toward zero for the points per ring. Throws
    // CError("3D Object generation error : not enough memory") when the
    // buffer cannot be made, including zero, negative or overflowing counts.
    DotCylinder(float radius, int ringCount, float ringSpacing, float segments);
    ~DotCylinder() override;

    DotCylinder(const DotCylinder&) = delete;
    DotCylinder& operator=(const DotCylinder&) = delete;

    void draw() override;

    float ringSpacing;
    int ringCount;
    int segmentCount;                 // points per ring
    float radius;
    int pointCount;                   // ringCount × segments, truncated
    std::unique_ptr<float[]> points;  // 4 floats per point: x, y, z, unused
};
