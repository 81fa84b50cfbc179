// PulsingSphereScene: the second scene (orders 4 to 9). A breathing dot
// sphere turns in black fog above a band of twelve spinning lilac discs; the
// timeline's beat events flash the screen white, nudge the sphere nearer and
// make the discs opaque for a moment.
#pragma once

#include "demo/Scene.h"
#include "gfx/Vector4.h"
#include "objects/Disc.h"
#include "objects/PulsingSphere.h"

class PulsingSphereScene : public Scene {
public:
    PulsingSphereScene();
    virtual ~PulsingSphereScene();

    void draw(float time, int* frameCounter) override;
    void start(float time, int* frameCounter) override;
    void stop(float time, int* frameCounter) override;

    // Beat events, fired by the timeline just before draw with the same time.
    void nudge();
    void startDiscPulse(float time);
    void startFlash(float time);

    int nudgePending = 0;          // next draw moves the sphere one unit nearer
    Vector4 sphereHome;            // set by start
    PulsingSphere sphere;
    Disc disc{8, 30.0f};           // one disc drawn twelve times a frame
    float discPulseStart = 0.0f;
    float spinKickStart = 0.0f;
    float discPulseDuration = 5.0f;  // scene time units (seconds × 5)
};
