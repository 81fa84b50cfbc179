// CubeStarScene: renders the cube star into the lower-left 256 × 256 corner,
// copies that corner into a texture and shows it on a full-screen quad and
// three framed panels; in its overlay mode it draws the star alone over the
// torus scene. Both modes share the white beat flash.
#include "scenes/CubeStarScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "scenes/WhiteFlash.h"
#include "shell/CError.h"

namespace {

const int targetSize = 256;  // pixels, render-target edge

struct Panel {
    float left, bottom, right, top, z;
};

// Drawn in this order with depth testing off, so later panels cover earlier.
const Panel texturedPanels[] = {
    {-320.0f, -240.0f, 320.0f, 240.0f, -10.0f},
    {-200.0f, -200.0f, 0.0f, 0.0f, -9.0f},
    {-100.0f, -100.0f, 50.0f, 50.0f, -9.0f},
    {0.0f, 0.0f, 100.0f, 100.0f, -8.0f},
};

const Panel outlines[] = {
    {-200.0f, -200.0f, 0.0f, 0.0f, -9.0f},
    {0.0f, 0.0f, 100.0f, 100.0f, -7.0f},
    {-100.0f, -100.0f, 50.0f, 50.0f, -6.0f},
};

void texturedQuad(const Panel& p) {
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(p.left, p.bottom, p.z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(p.right, p.bottom, p.z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(p.right, p.top, p.z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(p.left, p.top, p.z);
}

void outlineQuad(const Panel& p) {
    glVertex3f(p.left, p.bottom, p.z);
    glVertex3f(p.right, p.bottom, p.z);
    glVertex3f(p.right, p.top, p.z);
    glVertex3f(p.left, p.top, p.z);
}

}  // namespace

double CubeStarScene::frameCount = 0.0;
double CubeStarScene::spinAngle = 0.0;

CubeStarScene::CubeStarScene() = default;

CubeStarScene::~CubeStarScene() {
    // Runs after the window has dropped its context; Mesa ignores the call
    // then, so only a name that start made is handed back.
    if (texture != 0) {
        glDeleteTextures(1, &texture);
    }
}

void CubeStarScene::start(float, int*) {
    glGenTextures(1, &texture);
    if (texture == 0) {
        throw CError("Error generating texture objects");
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    // Storage only: every main-mode frame overwrites the whole texture.
    glTexImage2D(GL_TEXTURE_2D, 0, 4, targetSize, targetSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// Never called by the timeline; the texture lives until the demo ends.
void CubeStarScene::stop(float, int*) {}

void CubeStarScene::draw(float time, int* frameCounter) {
    if (!started) {
        start(time, nullptr);
        started = true;
    }

    if (frameCounter == nullptr) {
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glTranslatef(0.0f, 0.0f, -15.0f);

        glViewport(0, 0, targetSize, targetSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 0.1, 1000.0);
        glMatrixMode(GL_MODELVIEW);

        // The orbit follows the frame count, so its speed follows the frame
        // rate.
        const double a = frameCount * angleStep;
        cubeStar.setPosition(static_cast<float>(1.3 * std::cos(a)),
                             static_cast<float>(std::sin(a)),
                             static_cast<float>(1.2 * std::sin(angleStep - a) + 2.0));
        cubeStar.setRotation(static_cast<float>(spinAngle), static_cast<float>(spinAngle),
                             0.0f);
        cubeStar.draw(0.0f);

        // The corner holds only this frame's star over the clear colour.
        glBindTexture(GL_TEXTURE_2D, texture);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, targetSize, targetSize);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-320.0, 320.0, -240.0, 240.0, -1.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();

        // Texturing is on because the star's main style just enabled it, and
        // the star left blending off; the quads sit inside the fog start.
        glBindTexture(GL_TEXTURE_2D, texture);
        glDepthFunc(GL_LEQUAL);
        glBegin(GL_QUADS);
        for (const Panel& panel : texturedPanels) {
            texturedQuad(panel);
        }
        glEnd();

        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glBindTexture(GL_TEXTURE_2D, 0);
        // Also the colour that modulates next frame's textured quads.
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        for (const Panel& outline : outlines) {
            outlineQuad(outline);
        }
        glEnd();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

        glMatrixMode(GL_PROJECTION);
        glPopMatrix();

        // Leaves a far plane of 1000 rather than the window's 10000 for
        // whatever is drawn next.
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.3333333333333333, 0.1, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    } else {
        // Overlay: drawn over the frame as the torus scene left it, with its
        // projection and viewport.
        glBindTexture(GL_TEXTURE_2D, 0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glColor3f(0.3f, 0.4f, 0.8f);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glTranslatef(0.0f, 0.0f, -15.0f);

        const double a = time * angleStep;
        cubeStar.setPosition(static_cast<float>(1.3 * std::cos(a)),
                             static_cast<float>(std::sin(a)),
                             static_cast<float>(0.6 * std::sin(angleStep - a) + 1.5));
        cubeStar.setRotation(time, time, 0.0f);
        cubeStar.draw(0.0f);

        glPopMatrix();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
    }

    const float sinceFlash = time - fadeStart;
    if (sinceFlash < fadeDuration) {
        drawWhiteFlash(sinceFlash / fadeDuration);
    }

    spinAngle += 0.2;
    frameCount += 1.0;
}
