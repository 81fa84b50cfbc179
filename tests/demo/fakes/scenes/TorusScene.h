// Fake torus scene: logs its calls and its three switches.
#pragma once

#include "FakeScene.h"

class TorusScene : public FakeScene {
public:
    TorusScene() : FakeScene("torus") {}
    void enableWobble() { logSceneCall("torus.wobble"); }
    void enableSpin() { logSceneCall("torus.spin"); }
    void setOverlayFlag() { logSceneCall("torus.overlayFlag"); }
};
