// WireTorus: a torus kept as a grid of vertices (rings around the torus axis,
// segments around the tube) and drawn as thin smoothed grey line loops; the
// torus scene spins two of them in its inset viewports.
#pragma once

#include <vector>

#include "gfx/Object3D.h"

class WireTorus : public Object3D {
public:
    // Wire styles, assigned to `style` as plain ints.
    enum WireStyle : int { RingLoops = 0, SegmentLoops = 1 };

    // Throws CError "Object initialization error" when the vertex buffer
    // cannot be had, including counts that are zero, negative or too large.
    WireTorus(float tubeRadius, float ringRadius, int ringCount, float scale,
              float segmentCount);
    ~WireTorus() override;

    void draw() override;
    // Spins about Z then Y by 1.3 degrees; the time is ignored.
    void animate(float time) override;

    int style = 2;  // not a drawable style; the owner sets one before drawing
    float scale;
    int ringCount;
    int segmentCount;
    float tubeRadius;
    int vertexCount;
    // 4 floats per vertex (x, y, z, unused); vertex (i, j) at i * segmentCount + j.
    std::vector<float> vertices;

private:
    void generate(float ringRadius);
    void drawRingLoops() const;
    void drawSegmentLoops() const;
    void sendVertex(int ring, int segment) const;
};
