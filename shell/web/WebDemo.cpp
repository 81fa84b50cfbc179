// WebDemo: the desktop demo's order of building and of each frame, with the
// browser's animation frames as the idle loop and the audio clock as time.
#include "shell/web/WebDemo.h"

#include "demo/InitialGLState.h"
#include "gfx/DataPath.h"

namespace {

// The desktop shows its first frame this long before the music starts.
constexpr double firstFrameSeconds = 2.0;

}  // namespace

WebDemo::WebDemo(const char* canvasSelector, int width, int height)
    : musicPlayer(dataPath("data/Tolvane.it"), audioOutput),
      clockSource(audioOutput),
      presentedPosition(musicPlayer) {
    run.follow(presentedPosition);
    run.onPresent = [this] {
        canvas->present();
        presentedLast = true;
    };
    canvas = std::make_unique<WebCanvas>(canvasSelector, width, height);
    applyInitialGLState();
    applyWindowProjection(width, height);
    // The first frame: time 0 and the position of music not yet playing.
    run.frame(0.0);
}

WebDemo::~WebDemo() = default;

double WebDemo::clock() {
    return readTimeBase(clockSource, timerNow, timerStart, timerFrequency, usePerformanceCounter);
}

bool WebDemo::frame(double nowSeconds) {
    audioOutput.pump();
    if (pauseEnds < 0.0) pauseEnds = nowSeconds + firstFrameSeconds;
    if (timerFrequency == 0) {
        if (nowSeconds < pauseEnds) return false;
        startTimeBase(clockSource, timerFrequency, timerStart, usePerformanceCounter);
        musicPlayer.play();
    }
    // A picture drawn in one animation frame is on screen from the next.
    if (presentedLast) presentationLead.framePresented(nowSeconds);
    presentedLast = false;
    presentationLead.frameStarts(nowSeconds);
    presentedPosition.beginFrame(presentationLead.seconds());
    return run.frame(clock());
}
