// Timeline: the per-frame sequencer. The music's order and row pick the scene
// of each stretch, fire the beat events and decide when the demo is over;
// the scenes never see the music themselves.
#include "demo/Timeline.h"

#include <GL/gl.h>

#include <utility>

#include "demo/music/MusicPosition.h"
#include "scenes/CubeGridScene.h"
#include "scenes/CubeStarScene.h"
#include "scenes/IntroScene.h"
#include "scenes/PulsingSphereScene.h"
#include "scenes/TorusScene.h"

double frameTime = 0.0;
int pulsingSphereFirstFrameDone = 0;
int torusWarmupCount = 0;
int cubeGridWarmupCount = 0;

Timeline::Timeline(IntroScene& introScene, PulsingSphereScene& pulsingSphereScene,
                   CubeStarScene& cubeStarScene, TorusScene& torusScene,
                   CubeGridScene& cubeGridScene, MusicPosition& music, Clock clock,
                   Present present)
    : introScene(introScene),
      pulsingSphereScene(pulsingSphereScene),
      cubeStarScene(cubeStarScene),
      torusScene(torusScene),
      cubeGridScene(cubeGridScene),
      music(music),
      clock(std::move(clock)),
      present(std::move(present)) {}

// The player keeps playing while a frame is built, so every test below asks
// it again instead of working from one reading: a frame that straddles a row
// change follows the music within the frame, as the original did.
bool Timeline::renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    frameTime = clock();
    // The scaled times are multiplied in double precision and only then
    // narrowed; narrowing first would shift them by up to an ulp.
    const float t1 = static_cast<float>(frameTime);
    const float t5 = static_cast<float>(frameTime * 5.0);
    const float t6 = static_cast<float>(frameTime * 6.0);
    const float t20 = static_cast<float>(frameTime * 20.0);

    if (music.order() < 4u) {
        if (music.order() == 2u) {
            introScene.spinEnabled = true;
        }
        introScene.draw(t1, nullptr);
        present();
        return false;
    }
    introScene.stop(0.0f, nullptr);

    if (music.order() >= 4u && music.order() <= 9u) {
        if ((music.order() == 6u || music.order() == 7u || music.order() == 8u ||
             music.order() == 9u) &&
            (music.row() == 12u || music.row() == 20u || music.row() == 45u ||
             music.row() == 52u)) {
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
    if (music.order() >= 10u && music.order() <= 13u) {
        if ((music.order() == 12u && music.row() == 0u) ||
            (music.order() == 13u && music.row() == 61u)) {
            cubeStarScene.setFadeStart(t1);
        }
        cubeStarScene.draw(t1, nullptr);
        present();
        return false;
    }

    if (music.order() >= 14u && music.order() <= 29u) {
        if (music.order() == 16u) {
            torusScene.enableWobble();
        }
        if (music.order() == 18u) {
            torusScene.enableSpin();
        }
        if (music.order() == 23u && music.row() == 1u) {
            torusScene.setFadeStart(t6);
        }
        torusScene.draw(t6, nullptr);
        if (music.order() >= 22u) {
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

    if (music.order() >= 30u && music.order() <= 39u) {
        if (music.order() == 38u && music.row() >= 3u) {
            return true;
        }
        if (music.order() == 37u && music.row() == 0u) {
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
