// TimelineRun: the demo's five scenes on its one timeline, with the clock and
// the music position in the caller's hands instead of a window's. The
// headless run of the tools wraps it in a real context; the call-sequence
// tests run it on the recording GL. Presents are counted and handed to a
// hook; nothing here swaps buffers.
#pragma once

#include <functional>

#include "demo/music/MusicPosition.h"
#include "demo/SceneSet.h"
#include "demo/music/ScriptedPosition.h"
#include "demo/Timeline.h"

class TimelineRun {
public:
    // Builds the scenes (the cube grid scene loads data/code.bmp and
    // data/shit.bmp); the music position starts out scripted.
    TimelineRun();
    TimelineRun(const TimelineRun&) = delete;
    TimelineRun& operator=(const TimelineRun&) = delete;

    // From now on the timeline reads `music` (e.g. a player rendered
    // offline) instead of the script.
    void follow(MusicPosition& music) { source.target = &music; }

    // One frame of the timeline with the clock at `seconds`; true when the
    // demo is over.
    bool frame(double seconds);
    // The same with the script set to (order, row) first.
    bool frame(unsigned order, unsigned row, double seconds);

    SceneSet scenes;
    ScriptedPosition script;
    // Runs on every present, after the count: read the picture back here.
    std::function<void()> onPresent;
    int presents = 0;
    double now = 0.0;

private:
    // Where the timeline's queries go; every one still reaches the source.
    struct Source : MusicPosition {
        MusicPosition* target = nullptr;
        unsigned order() override { return target->order(); }
        unsigned row() override { return target->row(); }
    };

    Source source;
    Timeline timeline;
};
