// Timeline: the demo's one frame function. Every frame it reads the music's
// order and row, picks the scene of that stretch, fires the beat events,
// draws, presents, and says when the demo is over. Demo::renderFrame, the
// tests and the tools all run this one copy, each with its own music
// position, clock and present seam.
#pragma once

#include <functional>

class IntroScene;
class PulsingSphereScene;
class CubeStarScene;
class TorusScene;
class CubeGridScene;
class MusicPosition;

class Timeline {
public:
    using Clock = std::function<double()>;   // seconds since the music started
    using Present = std::function<void()>;   // shows the finished frame

    Timeline(IntroScene& introScene, PulsingSphereScene& pulsingSphereScene,
             CubeStarScene& cubeStarScene, TorusScene& torusScene,
             CubeGridScene& cubeGridScene, MusicPosition& music, Clock clock,
             Present present);

    // Draws and, as a rule, presents one frame; true when the demo is over.
    bool renderFrame();

private:
    IntroScene& introScene;
    PulsingSphereScene& pulsingSphereScene;
    CubeStarScene& cubeStarScene;
    TorusScene& torusScene;
    CubeGridScene& cubeGridScene;
    MusicPosition& music;
    Clock clock;
    Present present;
};

// Process-wide timeline state: zero at program start, never reset.
extern double frameTime;
extern int pulsingSphereFirstFrameDone;
extern int torusWarmupCount;
extern int cubeGridWarmupCount;
