// Timeline: the demo's instantiation of the frame function, over the five
// real scenes, compiled once here; and the timeline's process-wide values.
#include "demo/Timeline.h"

#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"

double frameTime = 0.0;
int pulsingSphereFirstFrameDone = 0;
int torusWarmupCount = 0;
int cubeGridWarmupCount = 0;

template class BasicTimeline<DemoScenes>;
