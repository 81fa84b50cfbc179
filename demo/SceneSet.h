// SceneSet: the demo's five scenes, built in the order the demo has always
// built them — the torus first, the cube grid (which loads the two bitmaps)
// last — and destroyed in reverse. The Demo, the headless run of the tools
// and the tests all hold exactly this set.
#pragma once

#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"

struct SceneSet {
    TorusScene torusScene;
    PulsingSphereScene pulsingSphereScene;
    IntroScene introScene;
    CubeStarScene cubeStarScene;
    CubeGridScene cubeGridScene;
};
