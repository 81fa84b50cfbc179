// Demo: building the demo in its fixed order — scenes, music, window, clock,
// then the music starts — and the GL state every scene starts from.
#include "demo/Demo.h"

#include <GL/gl.h>

#include <utility>

#include "demo/music/SdlAudioOutput.h"
#include "gfx/DataPath.h"

Demo::Demo(std::string title, int width, int height, int bitsPerPixel, bool fullscreen,
           WindowProcedure windowProcedure, DemoSeams seams)
    : GLWindow(std::move(title), windowProcedure, width, height, bitsPerPixel, fullscreen),
      audioOutput(seams.audioOutput ? std::move(seams.audioOutput)
                                    : std::make_unique<SdlAudioOutput>()),
      musicPlayer(dataPath("data/Tolvane.it"), *audioOutput),
      clockSource(seams.clockSource ? std::move(seams.clockSource)
                                    : std::make_unique<SdlClockSource>()),
      timeline(introScene, pulsingSphereScene, cubeStarScene, torusScene, cubeGridScene,
               musicPlayer, [this] { return clock(); }, [this] { present(); }) {
    // The window's first frame is drawn in here, before the clock starts; it
    // reads time 0 and the position of music that is not yet playing.
    createWindow();
    // Started only now, after the pause, so that the clock and the music
    // begin within a few instructions of each other.
    startTimeBase(*clockSource, timerFrequency, timerStart, usePerformanceCounter);
    musicPlayer.play();
}

Demo::~Demo() = default;

void Demo::initGL() {
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

bool Demo::renderFrame() {
    return timeline.renderFrame();
}

double Demo::clock() {
    return readTimeBase(*clockSource, timerNow, timerStart, timerFrequency,
                        usePerformanceCounter);
}
