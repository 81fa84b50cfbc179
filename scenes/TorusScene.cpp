// TorusScene: the tunnel through the wobble torus and the two framed insets.
// Runs on time = clock × 6. The first frame only sets up fog and colour; each
// later frame draws the tunnel, then the bottom-left and top-right insets.
#include "scenes/TorusScene.h"

#include <GL/gl.h>

float TorusScene::spinStartTime = 0.0f;
bool TorusScene::spinStartCaptured = false;
int TorusScene::enableWobbleCalls = 0;

TorusScene::TorusScene()
    : ringTorus(1.0f, 3.0f, 32, 3.0f, 40.0f),
      loopTorus(1.0f, 3.0f, 32, 3.0f, 16.0f),
      wobbleTorus(1.0f, 3.0f, 128, 3.0f, 40.0f) {}

TorusScene::~TorusScene() = default;

void TorusScene::start(float, int*) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const GLfloat fogColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_DENSITY, 0.01f);
    glFogf(GL_FOG_START, 2.0f);
    glFogf(GL_FOG_END, 11.0f);
    glHint(GL_FOG_HINT, GL_FASTEST);
    glEnable(GL_FOG);
    stopped = false;
}

// Nothing ever sets `stopped`, so every call turns the fog off, whatever
// scene enabled it.
void TorusScene::stop(float, int*) {
    if (!stopped) glDisable(GL_FOG);
}

void TorusScene::enableWobble() {
    if (enableWobbleCalls == 0) {
        wobbleEnabled = true;
        enableWobbleCalls = 1;
    }
}

void TorusScene::enableSpin() { spinEnabled = true; }

void TorusScene::setOverlayFlag() { overlayFlag = true; }

void TorusScene::draw(float time, int*) {
    glEnable(GL_FOG);
    if (!started) {
        start(time, nullptr);
        started = true;
        return;  // the scene's first frame draws nothing
    }
    if (wobbleEnabled) wobbleTorus.animate(4.0f * time);
    glEnable(GL_FOG);

    if (spinEnabled) {
        if (!spinStartCaptured) {
            spinStartTime = time;
            spinStartCaptured = true;
        }
        // The tumble turns about the eye, which stays inside the tube.
        const float d = time - spinStartTime;
        glPushMatrix();
        glRotatef(1.8f * d, 1.0f, 0.0f, 0.0f);
        glRotatef(3.0f * d, 0.0f, 1.0f, 0.0f);
        glRotatef(1.9f * d, 0.0f, 0.0f, 1.0f);
    }
    // Turned 90° about Y the torus axis lies along eye X; the tube centre
    // circle passes 1.4 units from the eye, so the picture is a tunnel.
    wobbleTorus.setRotation(2.0f * time, 90.0f, 0.0f);
    wobbleTorus.setPosition(0.0f, -8.5f, -6.0f);
    wobbleTorus.draw();
    if (spinEnabled) glPopMatrix();

    drawLeftInset(time);
    drawRightInset(time);
    glEnable(GL_FOG);
}

// The frames are drawn in whatever viewport is in force: on the scene's first
// full frame the one the previous scene left. Polygon mode stays GL_LINE
// afterwards on purpose; the overlay drawn over this scene starts from it.
void TorusScene::drawLeftInset(float time) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -1.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    glBegin(GL_QUADS);
    glVertex2i(-280, -200);
    glVertex2i(-160, -200);
    glVertex2i(-160, -71);
    glVertex2i(-280, -71);
    glEnd();

    glPopMatrix();
    glDisable(GL_FOG);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    glViewport(40, 40, 120, 120);

    // The inset torus keeps the perspective projection, squeezed into the
    // small viewport, with neither fog nor depth test.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    loopTorus.style = WireTorus::SegmentLoops;
    loopTorus.setRotation(4.0f * time, 5.0f * time, -time);
    loopTorus.setPosition(0.0f, 0.0f, -30.0f);
    loopTorus.draw();
    glPopMatrix();
    // 461, not 480: the window's client height.
    glViewport(0, 0, 640, 461);
    glEnable(GL_FOG);
    glEnable(GL_DEPTH_TEST);
}

void TorusScene::drawRightInset(float time) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -1.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    glBegin(GL_QUADS);
    glVertex2i(160, 82);
    glVertex2i(280, 82);
    glVertex2i(280, 211);
    glVertex2i(160, 211);
    glEnd();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glViewport(480, 310, 120, 123);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ringTorus.style = WireTorus::RingLoops;
    ringTorus.setRotation(7.0f * time, 5.1f * time, 0.0f);
    ringTorus.setPosition(0.0f, 0.0f, -30.0f);
    ringTorus.draw();
    glPopMatrix();
    glViewport(0, 0, 640, 461);
    glEnable(GL_FOG);
    glEnable(GL_DEPTH_TEST);
}
