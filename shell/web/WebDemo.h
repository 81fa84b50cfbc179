// WebDemo: the demo in the page, built in the desktop demo's order — the
// scenes (the pictures load here), the sound output and the module, the
// screen with the initial GL state and a first frame that stays up for two
// seconds, then the clock and the music together. The browser calls frame()
// on every animation frame; the clock and the music position both come from
// the audio clock, through the same PresentedPosition the desktop uses.
#pragma once

#include <cstdint>
#include <memory>

#include "demo/Clock.h"
#include "demo/music/MusicPlayer.h"
#include "demo/PresentationLead.h"
#include "demo/PresentedPosition.h"
#include "demo/TimelineRun.h"
#include "shell/web/WebAudioOutput.h"
#include "shell/web/WebCanvas.h"

class WebDemo {
public:
    // `height` is the picture's (461 windowed, 480 fullscreen). Throws
    // CError with the demo's own texts.
    WebDemo(const char* canvasSelector, int width, int height);
    ~WebDemo();
    WebDemo(const WebDemo&) = delete;
    WebDemo& operator=(const WebDemo&) = delete;

    // One animation frame, `nowSeconds` being the browser's time of it;
    // true when the demo is over.
    bool frame(double nowSeconds);
    // The row the picture on screen shows, for the page's status line.
    ModulePosition shown() { return presentedPosition.shownRow().position; }
    bool canvasLost() const { return canvas && canvas->lost(); }

private:
    double clock();

    TimelineRun run;
    WebAudioOutput audioOutput;
    MusicPlayer musicPlayer;
    AudioClockSource clockSource;
    PresentationLead presentationLead;
    PresentedPosition presentedPosition;
    std::unique_ptr<WebCanvas> canvas;
    std::int64_t timerFrequency = 0;  // 0 until the time base starts
    std::int64_t timerNow = 0;
    std::int64_t timerStart = 0;
    bool usePerformanceCounter = false;
    double pauseEnds = -1.0;  // the first frame's two seconds, then playing
    bool presentedLast = false;
};
