// CubeStarScene: the third scene (orders 10 to 13). The cube star is rendered
// into a 256 × 256 corner of the back buffer, copied into a texture and shown
// on a full-screen quad and three framed panels. During orders 22 to 29 the
// timeline draws the star again, untextured, over the torus scene.
#pragma once

#include <GL/gl.h>

#include "demo/Scene.h"
#include "objects/CubeStar.h"

class CubeStarScene : public Scene {
public:
    CubeStarScene();
    virtual ~CubeStarScene();

    // A non-null frameCounter selects the overlay mode; it is never read or
    // written through.
    void draw(float time, int* frameCounter) override;
    // Creates the render-target texture; throws CError("Error generating
    // texture objects") when no texture name is handed out.
    void start(float time, int* frameCounter) override;
    void stop(float time, int* frameCounter) override;

    // Single-precision pi / 180, kept as the double it widens to.
    double angleStep = 0.017453293005625408;
    CubeStar cubeStar;
    GLuint texture = 0;

    // Both advance at the end of every draw, in either mode.
    static double frameCount;  // +1: the star's orbit in the main mode
    static double spinAngle;   // +0.2: the star's spin in the main mode
};
