// Fake intro scene: logs its calls; a draw records whether spin was on.
#pragma once

#include "FakeScene.h"

class IntroScene : public FakeScene {
public:
    IntroScene() : FakeScene("intro") {}
    bool spinEnabled = false;

protected:
    int drawDetail() const override { return spinEnabled ? 1 : 0; }
};
