// PulsingSphereScene: the breathing sphere in black fog over the band of
// spinning discs, and the beat events (nudge, disc pulse, white flash with a
// spin kick) that the timeline fires on orders 6 to 9.
#include "scenes/PulsingSphereScene.h"

#include <GL/gl.h>

#include "scenes/WhiteFlash.h"

namespace {

// Single-precision constants; the picture is matched against them.
const float spinRateY = 0.8f;
const float discAlphaSwing = 0.6f;
const float discAlphaRest = 0.4f;
const float discSpinFalloff = 0.99f;

const int discCount = 12;
const float discSpacing = 62.0f;

void pushOverlayProjection() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
}

}  // namespace

PulsingSphereScene::PulsingSphereScene() = default;

PulsingSphereScene::~PulsingSphereScene() = default;

void PulsingSphereScene::nudge() { nudgePending = 1; }

void PulsingSphereScene::startDiscPulse(float time) { discPulseStart = time; }

void PulsingSphereScene::startFlash(float time) {
    fadeStart = time;
    spinKickStart = time;
}

void PulsingSphereScene::start(float, int*) {
    const GLfloat fogColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_DENSITY, 0.01f);
    glFogf(GL_FOG_START, 12.0f);
    glFogf(GL_FOG_END, 15.0f);
    glHint(GL_FOG_HINT, GL_FASTEST);
    glEnable(GL_FOG);
    glFrontFace(GL_CCW);
    glDisable(GL_CULL_FACE);
    sphere.setPosition(0.0f, 0.0f, -15.0f);
    sphereHome = sphere.getPosition();
    stopped = false;
}

void PulsingSphereScene::stop(float, int*) {
    if (stopped) {
        return;
    }
    glDisable(GL_FOG);
    stopped = true;
    started = false;
}

void PulsingSphereScene::draw(float time, int*) {
    if (!started) {
        start(time, nullptr);
        started = true;
    }
    // The discs switch fog off while drawing, so it is switched on again
    // every frame for the sphere.
    glDisable(GL_CULL_FACE);
    glEnable(GL_FOG);

    if (nudgePending != 0) {
        sphere.setPosition(sphereHome.x, sphereHome.y, sphereHome.z + 1.0f);
        nudgePending = 0;
    } else {
        sphere.setPosition(sphereHome.x, sphereHome.y, sphereHome.z);
    }
    sphere.animate(time);

    // The kick borrows the flash's length: for 0.8 units after a beat the
    // sphere leads its plain spin by up to 4 degrees, then snaps back.
    const float sinceKick = time - spinKickStart;
    if (sinceKick < fadeDuration) {
        const float kick = 2.0f * sinceKick / fadeDuration;
        sphere.setRotation(2.0f * (time + kick), spinRateY * time + kick, 0.0f);
    } else {
        sphere.setRotation(2.0f * time, spinRateY * time, 0.0f);
    }
    sphere.draw(time);

    glDisable(GL_DEPTH_TEST);
    pushOverlayProjection();
    glMatrixMode(GL_MODELVIEW);

    const float sincePulse = time - discPulseStart;
    float alpha = discAlphaRest;
    if (sincePulse < discPulseDuration) {
        alpha = (1.0f - sincePulse / discPulseDuration) * discAlphaSwing + discAlphaRest;
    }
    disc.setColor(0.8f, 0.6f, 1.0f, alpha);

    // The band lines take the current colour. In the demo the intro's stop
    // has already made it opaque white and nothing here changes it outside
    // a saved attribute block; setting it keeps the scene right on its own.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex2i(-320, -116);
    glVertex2i(320, -116);
    glVertex2i(-320, -184);
    glVertex2i(320, -184);
    glEnd();

    // Twelve discs one every 62 units from the left edge; the last lies just
    // outside the window. Each spins a little slower than its left neighbour.
    float speed = 1.0f;
    float x = -320.0f;
    for (int i = 0; i < discCount; ++i) {
        disc.setRotation(0.0f, 3.0f * speed * time, 10.0f * speed * time);
        disc.setPosition(x, -150.0f, -100.0f);
        disc.draw(time);
        x += discSpacing;
        speed *= discSpinFalloff;
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const float sinceFlash = time - fadeStart;
    if (sinceFlash < fadeDuration) {
        drawWhiteFlash(sinceFlash / fadeDuration);
    }

    glEnable(GL_DEPTH_TEST);
}
