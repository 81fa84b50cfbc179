// Demo: building the demo in its fixed order — scenes, music, window, clock,
// then the music starts — and the GL state every scene starts from.
#include "demo/Demo.h"

#include <chrono>
#include <utility>

#include "demo/InitialGLState.h"
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
      presentedPosition(musicPlayer),
      timeline(scenes.introScene, scenes.pulsingSphereScene, scenes.cubeStarScene,
               scenes.torusScene, scenes.cubeGridScene,
               presentedPosition, [this] { return clock(); }, [this] { presentFrame(); }) {
    // The window's first frame is drawn in here, before the clock starts; it
    // reads time 0 and the position of music that is not yet playing.
    createWindow();
    // Started only now, after the pause, so that the clock and the music
    // begin within a few instructions of each other.
    startTimeBase(*clockSource, timerFrequency, timerStart, usePerformanceCounter);
    musicPlayer.play();
}

Demo::~Demo() = default;

void Demo::initGL() { applyInitialGLState(); }

PresentedFrame velmoraPresentedFrame{};

double Demo::steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool Demo::renderFrame() {
    const double start = steadySeconds();
    presentationLead.frameStarts(start);
    presentedPosition.beginFrame(presentationLead.seconds());
    velmoraPresentedFrame.startSeconds = start;
    velmoraPresentedFrame.leadSeconds = presentationLead.seconds();
    return timeline.renderFrame();
}

void Demo::presentFrame() {
    PresentedFrame& frame = velmoraPresentedFrame;
    const RowStart& shown = presentedPosition.shownRow();
    frame.heardFrame = presentedPosition.heardAtStart();
    frame.shownFrame = presentedPosition.shownFrame();
    frame.rowFrame = shown.frame;
    frame.order = shown.position.order;
    frame.row = shown.position.row;
    present();
    presentationLead.framePresented(steadySeconds());
}

double Demo::clock() {
    return readTimeBase(*clockSource, timerNow, timerStart, timerFrequency,
                        usePerformanceCounter);
}
