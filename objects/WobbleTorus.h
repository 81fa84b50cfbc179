// WobbleTorus: the torus scene's main object, a torus whose tube carries a
// wave winding around it. animate() moves the wave by regenerating every
// vertex; draw() shows it as blue translucent bands with a wireframe on top.
#pragma once

#include <vector>

#include "gfx/Object3D.h"

class WobbleTorus : public Object3D {
public:
    // Throws CError "Object initialization error" when the vertex buffer
    // cannot be had, including counts that are zero, negative or too large.
    WobbleTorus(float tubeRadius, float ringRadius, int ringCount, float scale,
                float segmentCount);
    ~WobbleTorus() override;

    void draw() override;
    // The first call of the run fixes wobbleStartTime; the wave phase is the
    // time since then, in degrees.
    void animate(float time) override;

    float scale;
    int ringCount;
    int segmentCount;
    float tubeRadius;
    float ringRadius;
    int vertexCount;
    // 4 floats per vertex (x, y, z, unused); vertex (i, j) at i * segmentCount + j.
    std::vector<float> vertices;

    // Shared by every instance and set once per run; public so a test running
    // several cases in one process can start over.
    static float wobbleStartTime;
    static bool wobbleStartCaptured;

private:
    // What does not move with the wave, worked out once: the ring and segment
    // angles' sines and cosines, and for each vertex which wave angle it
    // reads. Vertices share wave angles (the wave steps one degree per ring),
    // so a frame evaluates the wave once per distinct angle.
    void prepareTables();
    void generate(float phaseDegrees);
    void drawBands() const;
    void sendVertex(int ring, int segment) const;

    std::vector<double> ringSin, ringCos;
    std::vector<double> segmentSin, segmentCos;
    std::vector<float> waveAngles;  // distinct segment + ring offsets, degrees
    std::vector<int> waveOfVertex;  // index into waveAngles
    std::vector<double> stretches, bulges;  // per wave angle, this frame
};
