// CubeStar: the star of shrinking, glowing cubes. A central cube and six arms
// of cubes that bend together with the object's position; drawn as the cube
// star scene's main picture and, in the overlay style, over the torus scene.
#pragma once

#include "gfx/Object3D.h"

class CubeStar : public Object3D {
public:
    CubeStar();
    ~CubeStar() override;

    using Object3D::draw;
    // Draws the whole star; the time argument is not used.
    virtual void draw(float time);
    // One axis-aligned cube centred on the origin, corners at +-halfSize,
    // as a single GL_QUADS primitive of 24 vertices.
    void drawCube(float halfSize);

    int overlayStyle = 0;        // 0: main style; anything else: overlay style
    float cubeSize = 0.8f;       // half edge of the central cube, first arm size
    float shrinkFactor = 0.9f;   // per arm step: size, alpha and offset
    int chainLength = 12;        // each arm holds chainLength - 1 cubes

private:
    void drawArm(const float armAngles[3]);
};
