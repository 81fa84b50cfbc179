// Fake pulsing sphere scene: logs its calls and beat events.
#pragma once

#include "FakeScene.h"

class PulsingSphereScene : public FakeScene {
public:
    PulsingSphereScene() : FakeScene("pulse") {}
    void nudge() { logSceneCall("pulse.nudge"); }
    void startDiscPulse(float time) { logSceneCall("pulse.disc", time); }
    void startFlash(float time) { logSceneCall("pulse.flash", time); }
};
