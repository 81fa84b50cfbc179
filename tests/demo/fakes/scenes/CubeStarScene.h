// Fake cube star scene: logs its calls; a draw records the star's style.
#pragma once

#include "FakeScene.h"

class CubeStarScene : public FakeScene {
public:
    CubeStarScene() : FakeScene("star") {}
    struct {
        int overlayStyle = 0;
    } cubeStar;

protected:
    int drawDetail() const override { return cubeStar.overlayStyle; }
};
