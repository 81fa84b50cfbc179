// WhiteFlash: one call sequence shared by the two flashing scenes.
#include "scenes/WhiteFlash.h"

#include <GL/gl.h>

void drawWhiteFlash(float alpha) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    // Reversed factors: alpha 0 is pure white, and the picture returns as
    // alpha grows.
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glVertex2i(-320, 240);
    glVertex2i(320, 240);
    glVertex2i(320, -240);
    glVertex2i(-320, -240);
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
