// CubeStar: draws the central cube twice (as the caller blends, then
// additively) and six additive arms of shrinking cubes, with dark outlines in
// the main style. Leaves fog on, blending off and additive blend func behind.
#include "objects/CubeStar.h"

#include <GL/gl.h>

#include <cmath>

#include "gfx/DegToRad.h"

namespace {

// Rotation angles in degrees (X, then Y, then Z) that aim each arm.
const float armTable[6][3] = {
    {0.0f, 0.0f, 0.0f},   {0.0f, 90.0f, 0.0f}, {0.0f, -90.0f, 0.0f},
    {0.0f, 180.0f, 0.0f}, {0.0f, 0.0f, 90.0f}, {0.0f, 0.0f, -90.0f},
};

const float mainStartAlpha = 0.18f;
const float overlayStartAlpha = 0.78f;

}  // namespace

CubeStar::CubeStar() = default;

CubeStar::~CubeStar() = default;

void CubeStar::draw(float) {
    const float k = shrinkFactor;
    const float s0 = cubeSize;

    glDisable(GL_FOG);
    glPushMatrix();
    if (overlayStyle == 0)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);

    // The y offset is deliberately not scaled by the cube size; the uneven
    // swing it gives is part of the star's look.
    glTranslatef(position.x * k * s0, position.y * k, position.z * k * s0);
    glRotatef(rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.z * k * s0, 0.0f, 0.0f, 1.0f);

    // First pass with whatever colour and blending the caller left.
    drawCube(s0);

    glEnable(GL_BLEND);
    if (overlayStyle != 0) glBindTexture(GL_TEXTURE_2D, 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    drawCube(s0);

    // The attribute pop alone should give the caller its colour back, but
    // Mesa 22 (llvmpipe) lets the last arm colour win when glPopMatrix
    // follows the pop of a block holding glColor and glRotatef calls; the
    // cube star scene would then tint its panels dark blue. So the colour is
    // also put back by hand.
    GLfloat callerColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glGetFloatv(GL_CURRENT_COLOR, callerColor);
    glPushAttrib(GL_CURRENT_BIT);
    for (const auto& arm : armTable) drawArm(arm);
    glPopAttrib();
    glColor4fv(callerColor);

    // Fog goes back on for the scene drawn next, and the additive blend
    // function stays set: both are relied upon by the callers.
    glDisable(GL_BLEND);
    glEnable(GL_FOG);
    glPopMatrix();
}

void CubeStar::drawArm(const float armAngles[3]) {
    const float k = shrinkFactor;
    const bool overlay = overlayStyle != 0;
    float s = cubeSize;
    float a = overlay ? overlayStartAlpha : mainStartAlpha;
    float qx = position.x;
    float qy = position.y;
    float qz = position.z;

    // The first arm cube of the main style is opaque; alpha only joins from
    // the second cube on.
    if (overlay)
        glColor4f(0.4f, 0.4f, 0.9f, a);
    else
        glColor3f(0.3f, 0.4f, s);

    glPushMatrix();
    glRotatef(armAngles[0], 1.0f, 0.0f, 0.0f);
    glRotatef(armAngles[1], 0.0f, 1.0f, 0.0f);
    glRotatef(armAngles[2], 0.0f, 0.0f, 1.0f);

    const float sinX = std::sin(rotation.x * degToRad);
    const float sinY = std::sin(rotation.y * degToRad);
    for (int step = 0; step < chainLength - 1; ++step) {
        s *= k;
        a *= k;
        qx *= k;
        qy *= k;
        qz *= k;
        // Transforms accumulate along the arm, so later cubes drift further.
        glTranslatef(qx * k * s, qy * k, qz * k * s);
        glRotatef(10.0f * s * sinX, 1.0f, 0.0f, 0.0f);
        glRotatef(10.0f * s * sinY, 0.0f, 1.0f, 0.0f);
        glRotatef(rotation.z * k * s, 0.0f, 0.0f, 1.0f);
        drawCube(s);

        if (!overlay) {
            glPushAttrib(GL_CURRENT_BIT | GL_POLYGON_BIT);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glColor4f(0.05f, 0.05f, 0.1f, 1.0f);
            drawCube(s);
            glPopAttrib();
        }

        if (overlay)
            glColor4f(0.4f, 0.4f, 0.9f, a);
        else
            glColor4f(0.3f, 0.4f, s, a);
    }
    glPopMatrix();
}

void CubeStar::drawCube(float halfSize) {
    const float p = halfSize;
    const float n = -halfSize;
    glBegin(GL_QUADS);
    glVertex3f(p, p, p);
    glVertex3f(p, n, p);
    glVertex3f(n, n, p);
    glVertex3f(n, p, p);

    glVertex3f(p, p, n);
    glVertex3f(p, n, n);
    glVertex3f(n, n, n);
    glVertex3f(n, p, n);

    glVertex3f(p, p, p);
    glVertex3f(p, n, p);
    glVertex3f(p, n, n);
    glVertex3f(p, p, n);

    glVertex3f(n, p, p);
    glVertex3f(n, n, p);
    glVertex3f(n, n, n);
    glVertex3f(n, p, n);

    glVertex3f(n, p, n);
    glVertex3f(n, p, p);
    glVertex3f(p, p, p);
    glVertex3f(p, p, n);

    glVertex3f(n, n, n);
    glVertex3f(n, n, p);
    glVertex3f(p, n, p);
    glVertex3f(p, n, n);
    glEnd();
}
