// TimelineRun: the timeline wired to a caller-set clock, a switchable music
// position and a counting present.
#include "demo/TimelineRun.h"

TimelineRun::TimelineRun()
    : timeline(scenes.introScene, scenes.pulsingSphereScene, scenes.cubeStarScene,
               scenes.torusScene, scenes.cubeGridScene, source, [this] { return now; },
               [this] {
                   ++presents;
                   if (onPresent) onPresent();
               }) {
    source.target = &script;
}

bool TimelineRun::frame(double seconds) {
    now = seconds;
    return timeline.renderFrame();
}

bool TimelineRun::frame(unsigned order, unsigned row, double seconds) {
    script.set(order, row);
    return frame(seconds);
}
