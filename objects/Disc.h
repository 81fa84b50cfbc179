// Disc: a flat regular polygon drawn as one alpha-blended fan in the colour
// its owner sets, optionally with a white rim. The pulsing sphere scene draws
// one Disc twelve times a frame as its row of spinning discs.
#pragma once

#include <memory>

#include "gfx/Object3D.h"

class Disc : public Object3D {
public:
    // Throws CError("Not enough memory") when the vertex buffer cannot be
    // made, including a zero or negative segment count.
    Disc(int segmentCount, float radius);
    ~Disc() override;

    Disc(const Disc&) = delete;
    Disc& operator=(const Disc&) = delete;

    void setColor(float r, float g, float b, float a);

    using Object3D::draw;
    // time is ignored.
    virtual void draw(float time);

    float radius;
    int segmentCount;
    std::unique_ptr<float[]> vertices;  // centre, then segmentCount rim points; 4 floats each
    bool outlined = false;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};
