// IntroScene: the opening picture while the music plays orders 0 to 3. A
// carousel of ten groups of four dot spheres turns beside a dot cylinder on a
// white background, fading in over the first seconds; from order 2 on every
// sphere also tumbles about its own axes.
#pragma once

#include <array>

#include "demo/Scene.h"
#include "objects/DotCylinder.h"
#include "objects/DotSphere.h"

class IntroScene : public Scene {
public:
    IntroScene();
    virtual ~IntroScene();

    void draw(float time, int* frameCounter) override;
    void start(float time, int* frameCounter) override;
    void stop(float time, int* frameCounter) override;

    int stopCount = 0;             // times stop took effect; fade-in only while 0
    float fadeInDuration = 3.5f;   // seconds of scene time
    bool spinEnabled = false;      // set by the timeline from order 2 on
    float sphereOffset = 1.5f;     // half the spacing inside a group
    std::array<DotSphere, 4> spheres{{DotSphere(20.0f, 1.0f), DotSphere(20.0f, 1.0f),
                                      DotSphere(20.0f, 1.0f), DotSphere(20.0f, 1.0f)}};
    DotCylinder cylinder{4.0f, 2, 4.0f, 20.0f};

    // Advances once per drawn frame and drives all motion, so the carousel
    // follows the frame rate rather than the clock.
    static float frameCount;
};
