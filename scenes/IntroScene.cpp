// IntroScene: the carousel of dot-sphere groups and the dot cylinder that open
// the demo, with the fade-in from transparent white and the tumbling that the
// timeline switches on at order 2.
#include "scenes/IntroScene.h"

#include <GL/gl.h>

#include <cmath>

#include "gfx/DegToRad.h"

namespace {

// 1.01 rather than 1.0 so the first frame's colour is a touch above white;
// it must stay the single-precision value.
const float fadeBase = 1.01f;

}  // namespace

float IntroScene::frameCount = 0.0f;

IntroScene::IntroScene() = default;

IntroScene::~IntroScene() = default;

void IntroScene::start(float, int*) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_CULL_FACE);
    stopped = false;
}

void IntroScene::stop(float, int*) {
    if (stopped) {
        return;
    }
    // Hands the following scenes a black background, opaque white as the
    // current colour (their band lines rely on it) and culling back on.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    stopped = true;
    started = false;
    ++stopCount;
}

void IntroScene::draw(float time, int*) {
    // Once stopped the intro never comes back, not even through start.
    if (stopped) {
        return;
    }
    if (!started) {
        start(time, nullptr);
        started = true;
    }

    // Past the fade no colour is set at all: the objects save and restore the
    // current colour, so the last fade colour stays in effect on purpose.
    if (stopCount == 0 && time < fadeInDuration) {
        const float f = time / fadeInDuration;
        const float g = fadeBase - f;
        glColor4f(g, g, g, f * 0.5f);
    }

    const float s = sphereOffset;
    const float frame = frameCount;

    glPushMatrix();
    glTranslatef(5.0f, -5.5f, -12.0f);
    glRotatef(-30.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);

    cylinder.setPosition(-10.0f, 0.0f, 0.0f);
    cylinder.draw();

    glRotatef(frame * 0.2f, 0.0f, 0.0f, 1.0f);

    const float positions[4][3] = {{-s, 0.0f, -s}, {s, 0.0f, -s}, {-s, 0.0f, s}, {s, 0.0f, s}};
    const float spins[4][3] = {
        {frame, frame, 0.0f}, {0.0f, frame, 0.0f}, {0.0f, frame, frame}, {frame, 0.0f, 0.0f}};

    for (float theta = 0.0f; theta < 360.0f; theta += 36.0f) {
        glPushMatrix();
        const float radians = theta * degToRad;
        glTranslatef(7.0f * s * std::cos(radians), 7.0f * s * std::sin(radians), 0.0f);
        glRotatef(theta, 0.0f, 0.0f, 1.0f);
        glRotatef(frame * 0.5f, 0.0f, 1.0f, 0.0f);
        for (int i = 0; i < 4; ++i) {
            DotSphere& sphere = spheres[i];
            sphere.setPosition(positions[i][0], positions[i][1], positions[i][2]);
            if (spinEnabled) {
                sphere.setRotation(spins[i][0], spins[i][1], spins[i][2]);
            }
            sphere.draw(time);
        }
        glPopMatrix();
    }

    glPopMatrix();
    frameCount += 1.0f;
}
