// Timeline: the demo's one frame function. Every frame it reads the music's
// order and row, picks the scene of that stretch, fires the events of the cue
// table, draws, presents, and says when the demo is over. Demo::renderFrame,
// the tests and the tools all run this one copy, each with its own music
// position, clock and present seam.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "demo/Cues.h"
#include "demo/music/MusicPosition.h"

// Process-wide timeline state: zero at program start, never reset.
extern double frameTime;
extern int pulsingSphereFirstFrameDone;
extern int torusWarmupCount;
extern int cubeGridWarmupCount;

// The five scene types a timeline drives, in playing order.
template <typename IntroType, typename PulsingSphereType, typename CubeStarType,
          typename TorusType, typename CubeGridType>
struct SceneTypes {
    using Intro = IntroType;
    using PulsingSphere = PulsingSphereType;
    using CubeStar = CubeStarType;
    using Torus = TorusType;
    using CubeGrid = CubeGridType;
};

// The timeline is written over a scene set, so that the tests can drive it
// with logging stand-ins while the demo calls its own scenes directly,
// without an interface of their own.
template <typename Scenes>
class BasicTimeline {
public:
    using Clock = std::function<double()>;   // seconds since the music started
    using Present = std::function<void()>;   // shows the finished frame

    BasicTimeline(typename Scenes::Intro& introScene,
                  typename Scenes::PulsingSphere& pulsingSphereScene,
                  typename Scenes::CubeStar& cubeStarScene, typename Scenes::Torus& torusScene,
                  typename Scenes::CubeGrid& cubeGridScene, MusicPosition& music, Clock clock,
                  Present present);

    // Draws and, as a rule, presents one frame; true when the demo is over.
    bool renderFrame();

private:
    // Each test below asks the music once per comparison, in the order
    // written, and stops asking at the first answer that settles it.
    bool inStretch(cues::Stretch stretch);
    bool atOneOrderOf(cues::Stretch orders);
    template <typename Rows>
    bool atOneRowOf(const Rows& rows);
    bool at(cues::Position position);
    template <typename Positions>
    bool atOneOf(const Positions& positions);
    // The same tests on the rows the song went through since the last
    // frame without a frame of their own: their events are still due.
    static bool isBeat(ModulePosition row);
    static bool is(ModulePosition row, cues::Position position);
    template <typename Positions>
    static bool isOneOf(ModulePosition row, const Positions& positions);

    typename Scenes::Intro& introScene;
    typename Scenes::PulsingSphere& pulsingSphereScene;
    typename Scenes::CubeStar& cubeStarScene;
    typename Scenes::Torus& torusScene;
    typename Scenes::CubeGrid& cubeGridScene;
    MusicPosition& music;
    Clock clock;
    Present present;
    std::vector<ModulePosition> passedRows;  // this frame's, oldest first
};

class IntroScene;
class PulsingSphereScene;
class CubeStarScene;
class TorusScene;
class CubeGridScene;

using DemoScenes =
    SceneTypes<IntroScene, PulsingSphereScene, CubeStarScene, TorusScene, CubeGridScene>;

// The demo's timeline is compiled once, in Timeline.cpp.
extern template class BasicTimeline<DemoScenes>;
using Timeline = BasicTimeline<DemoScenes>;

template <typename Scenes>
BasicTimeline<Scenes>::BasicTimeline(typename Scenes::Intro& introScene,
                                     typename Scenes::PulsingSphere& pulsingSphereScene,
                                     typename Scenes::CubeStar& cubeStarScene,
                                     typename Scenes::Torus& torusScene,
                                     typename Scenes::CubeGrid& cubeGridScene,
                                     MusicPosition& music, Clock clock, Present present)
    : introScene(introScene),
      pulsingSphereScene(pulsingSphereScene),
      cubeStarScene(cubeStarScene),
      torusScene(torusScene),
      cubeGridScene(cubeGridScene),
      music(music),
      clock(std::move(clock)),
      present(std::move(present)) {}

// An order is never below 0, so a stretch from order 0 asks only for its end.
template <typename Scenes>
bool BasicTimeline<Scenes>::inStretch(cues::Stretch stretch) {
    return (stretch.first == 0u || music.order() >= stretch.first) &&
           music.order() <= stretch.last;
}

template <typename Scenes>
bool BasicTimeline<Scenes>::atOneOrderOf(cues::Stretch orders) {
    for (unsigned order = orders.first; order <= orders.last; ++order) {
        if (music.order() == order) return true;
    }
    return false;
}

template <typename Scenes>
template <typename Rows>
bool BasicTimeline<Scenes>::atOneRowOf(const Rows& rows) {
    for (unsigned row : rows) {
        if (music.row() == row) return true;
    }
    return false;
}

template <typename Scenes>
bool BasicTimeline<Scenes>::at(cues::Position position) {
    return music.order() == position.order && music.row() == position.row;
}

template <typename Scenes>
template <typename Positions>
bool BasicTimeline<Scenes>::atOneOf(const Positions& positions) {
    for (cues::Position position : positions) {
        if (at(position)) return true;
    }
    return false;
}

template <typename Scenes>
bool BasicTimeline<Scenes>::isBeat(ModulePosition row) {
    return cues::pulsingSphereBeatOrders.contains(row.order) &&
           std::find(cues::pulsingSphereBeatRows.begin(), cues::pulsingSphereBeatRows.end(),
                     row.row) != cues::pulsingSphereBeatRows.end();
}

template <typename Scenes>
bool BasicTimeline<Scenes>::is(ModulePosition row, cues::Position position) {
    return row.order == position.order && row.row == position.row;
}

template <typename Scenes>
template <typename Positions>
bool BasicTimeline<Scenes>::isOneOf(ModulePosition row, const Positions& positions) {
    for (cues::Position position : positions) {
        if (is(row, position)) return true;
    }
    return false;
}

// The player keeps playing while a frame is built, so every test below asks
// it again instead of working from one reading: a frame that straddles a row
// change follows the music within the frame, as the original did. (The demo
// itself asks PresentedPosition, which answers every query of a frame for
// the one moment the frame will be seen.)
template <typename Scenes>
bool BasicTimeline<Scenes>::renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    frameTime = clock();
    // A frame that comes late (a busy machine) can land past a row with an
    // event; those events come first, once each, in the song's order, so
    // that every beat still flashes. At normal frame rates there are none.
    music.takePassedRows(passedRows);
    // The scaled times are multiplied in double precision and only then
    // narrowed; narrowing first would shift them by up to an ulp.
    const float t1 = static_cast<float>(frameTime);
    const float t5 = static_cast<float>(frameTime * 5.0);
    const float t6 = static_cast<float>(frameTime * 6.0);
    const float t20 = static_cast<float>(frameTime * 20.0);

    if (inStretch(cues::intro)) {
        if (music.order() == cues::introSpin) {
            introScene.spinEnabled = true;
        }
        introScene.draw(t1, nullptr);
        present();
        return false;
    }
    introScene.stop(0.0f, nullptr);

    if (inStretch(cues::pulsingSphere)) {
        for (ModulePosition passed : passedRows) {
            if (isBeat(passed)) {
                pulsingSphereScene.nudge();
                pulsingSphereScene.startDiscPulse(t5);
                pulsingSphereScene.startFlash(t5);
            }
        }
        if (atOneOrderOf(cues::pulsingSphereBeatOrders) &&
            atOneRowOf(cues::pulsingSphereBeatRows)) {
            pulsingSphereScene.nudge();
            pulsingSphereScene.startDiscPulse(t5);
            pulsingSphereScene.startFlash(t5);
        }
        pulsingSphereScene.draw(t5, nullptr);
        if (pulsingSphereFirstFrameDone != 0) {
            present();
            return false;
        }
        // The scene's first frame is drawn but not shown; the frame goes on
        // through the stops of the later stretches.
        pulsingSphereFirstFrameDone = 1;
    } else {
        pulsingSphereScene.stop(0.0f, nullptr);
    }

    // The cube star scene is never stopped: it comes back as an overlay.
    if (inStretch(cues::cubeStar)) {
        for (ModulePosition passed : passedRows) {
            if (isOneOf(passed, cues::cubeStarFades)) cubeStarScene.setFadeStart(t1);
        }
        if (atOneOf(cues::cubeStarFades)) {
            cubeStarScene.setFadeStart(t1);
        }
        cubeStarScene.draw(t1, nullptr);
        present();
        return false;
    }

    if (inStretch(cues::torus)) {
        if (music.order() == cues::torusWobble) {
            torusScene.enableWobble();
        }
        if (music.order() == cues::torusSpin) {
            torusScene.enableSpin();
        }
        for (ModulePosition passed : passedRows) {
            if (is(passed, cues::torusFade)) torusScene.setFadeStart(t6);
        }
        if (at(cues::torusFade)) {
            torusScene.setFadeStart(t6);
        }
        torusScene.draw(t6, nullptr);
        // The overlay ends with the torus, so only its start is asked for.
        static_assert(cues::cubeStarOverlay.last == cues::torus.last);
        if (music.order() >= cues::cubeStarOverlay.first) {
            cubeStarScene.cubeStar.overlayStyle = 1;
            // Any non-null counter selects the overlay mode; the scene never
            // reads or writes through it.
            cubeStarScene.draw(t20, &torusWarmupCount);
            torusScene.setOverlayFlag();
        }
        if (torusWarmupCount >= 2) {
            present();
            return false;
        }
        // The first two frames of the scene are not shown (the very first
        // only sets up its GL state).
        ++torusWarmupCount;
    } else {
        torusScene.stop(0.0f, nullptr);
    }

    if (inStretch(cues::cubeGrid)) {
        if (music.order() == cues::demoEnd.order && music.row() >= cues::demoEnd.row) {
            return true;
        }
        for (ModulePosition passed : passedRows) {
            if (is(passed, cues::cubeGridFade)) cubeGridScene.setFadeStart(t1);
        }
        if (at(cues::cubeGridFade)) {
            cubeGridScene.setFadeStart(t1);
        }
        cubeGridScene.draw(t1, nullptr);
        if (cubeGridWarmupCount >= 2) {
            present();
            return false;
        }
        ++cubeGridWarmupCount;
        return musicEnded.load();
    }
    cubeGridScene.stop(0.0f, nullptr);
    return musicEnded.load();
}
