// PulsingSphere: the dot sphere of the second scene, given a bumpy base shape
// once and then swelled and shrunk every frame by a wave running across its
// points, drawn pink-violet with a wireframe.
#pragma once

#include <memory>
#include <vector>

#include "objects/DotSphere.h"

class PulsingSphere : public DotSphere {
public:
    // Resolution 40, radius 2: 1600 points. Throws CError("Error not enough
    // memory") when its own buffer cannot be made; failures of the DotSphere
    // part propagate unchanged.
    PulsingSphere();
    ~PulsingSphere() override;

    // Recomputes livePoints from the base shape for this time.
    void animate(float time) override;
    using DotSphere::draw;
    void draw(float time) override;

    std::unique_ptr<float[]> livePoints;  // pointCount points of 4 floats

private:
    // The wave's gain for each i + j of the grid, refilled every frame: the
    // 1600 points share only 2 · resolution − 1 distinct gains.
    std::vector<double> gains;
};
