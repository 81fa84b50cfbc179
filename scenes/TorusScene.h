// TorusScene: the fourth scene (orders 14 to 29). A flight through the tube of
// a big fogged wobble torus, with two small wire tori spinning in framed
// inset viewports. The timeline switches on the wobble and the tumble.
#pragma once

#include "demo/Scene.h"
#include "objects/WireTorus.h"
#include "objects/WobbleTorus.h"

class TorusScene : public Scene {
public:
    TorusScene();
    virtual ~TorusScene();

    void draw(float time, int* frameCounter) override;
    void start(float time, int* frameCounter) override;
    void stop(float time, int* frameCounter) override;

    // Timeline events.
    void enableWobble();
    void enableSpin();
    void setOverlayFlag();

    bool wobbleEnabled = false;
    bool spinEnabled = false;
    WireTorus ringTorus;
    WireTorus loopTorus;
    WobbleTorus wobbleTorus;
    bool overlayFlag = false;  // set in the overlay stretch; nothing reads it

    // Run-wide state, never reset: the scene time of the first tumbling
    // frame, and how often enableWobble has been called with effect.
    static float spinStartTime;
    static bool spinStartCaptured;
    static int enableWobbleCalls;

private:
    void drawLeftInset(float time);
    void drawRightInset(float time);
};
