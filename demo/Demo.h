// Demo: the application object. It owns the rendering window (through
// GLWindow), the five scenes and the music player, keeps the clock that
// starts together with the music, and runs the timeline once per frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "demo/music/AudioOutput.h"
#include "demo/Clock.h"
#include "demo/SceneSet.h"
#include "demo/music/MusicPlayer.h"
#include "demo/PresentationLead.h"
#include "demo/PresentedPosition.h"
#include "demo/Timeline.h"
#include "shell/GLWindow.h"

// What a run other than the interactive one swaps in: the source of the
// clock's readings (null: the SDL performance counter) and where the music
// goes (null: the SDL device; else nowhere, or rendered on request by
// whoever keeps a reference to an offline output).
struct DemoSeams {
    std::unique_ptr<ClockSource> clockSource;
    std::unique_ptr<AudioOutput> audioOutput;
};

// What the frame being presented shows, filled in just before its present: a
// probe at the swap (the benchmark's sync section) reads it from outside, by
// name. Times are seconds of the steady clock; frames are the output's.
struct PresentedFrame {
    double startSeconds;       // when the frame began
    double leadSeconds;        // how far ahead of the sound heard then it aimed
    std::int64_t heardFrame;   // the output frame heard when it began
    std::int64_t shownFrame;   // the output frame it shows
    std::int64_t rowFrame;     // the output frame the row it shows began on
    unsigned order;            // the row it shows
    unsigned row;
};
extern "C" PresentedFrame velmoraPresentedFrame;

class Demo : public GLWindow {
public:
    // Builds the scenes, loads "data/Tolvane.it", creates and shows the
    // window (the first frame and the 2000 ms pause happen there), starts
    // the clock and then the music. Throws CError on any failure.
    Demo(std::string title, int width, int height, int bitsPerPixel, bool fullscreen,
         WindowProcedure windowProcedure, DemoSeams seams = {});
    ~Demo() override;

    void initGL() override;
    // One frame of the timeline; true when the demo is over.
    bool renderFrame() override;
    // Seconds since the clock started with the music; 0 before that, never
    // negative.
    double clock();

    std::int64_t timerFrequency = 0;  // 0 until the time base starts
    std::int64_t timerNow = 0;
    std::int64_t timerStart = 0;
    bool usePerformanceCounter = false;
    // torusScene, pulsingSphereScene, introScene, cubeStarScene,
    // cubeGridScene: built in that order, destroyed in reverse.
    SceneSet scenes;
    // Opened after the scenes, before the module loads; it outlives the
    // player, which disconnects from it first.
    std::unique_ptr<AudioOutput> audioOutput;
    MusicPlayer musicPlayer;

private:
    static double steadySeconds();
    void presentFrame();

    std::unique_ptr<ClockSource> clockSource;
    // The timeline reads the music for the moment each frame will be seen.
    PresentationLead presentationLead;
    PresentedPosition presentedPosition;
    Timeline timeline;
};
