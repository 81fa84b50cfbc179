// Fake cube grid scene: logs its calls.
#pragma once

#include "FakeScene.h"

class CubeGridScene : public FakeScene {
public:
    CubeGridScene() : FakeScene("grid") {}
};
