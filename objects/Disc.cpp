// Disc: a regular polygon built once around its centre and drawn as a
// blended triangle fan, many times a frame with different colours and poses.
#include "objects/Disc.h"

#include <GL/gl.h>

#include <cmath>
#include <new>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"
#include "shell/CError.h"

Disc::Disc(int segmentCountArg, float radiusArg) : radius(radiusArg), segmentCount(segmentCountArg) {
    if (segmentCount <= 0) {
        throw CError("Not enough memory");
    }
    const long long pointTotal = static_cast<long long>(segmentCount) + 1;
    try {
        vertices = std::make_unique<float[]>(static_cast<std::size_t>(pointTotal) * 4);
    } catch (const std::bad_alloc&) {
        throw CError("Not enough memory");
    }

    // Point 0 is the centre and stays (0, 0, 0). The rim angles are counted,
    // (i − 1) · 360 / n, so there are exactly n rim points for any n.
    const double step = 360.0 / segmentCount;
    float* out = vertices.get();
    for (int i = 1; i <= segmentCount; ++i) {
        const double angle = (i - 1) * step * degToRad;
        out[4 * i] = static_cast<float>(std::cos(angle) * radius);
        out[4 * i + 1] = static_cast<float>(std::sin(angle) * radius);
        out[4 * i + 2] = 0.0f;
    }
}

Disc::~Disc() = default;

void Disc::setColor(float r, float g, float b, float a) {
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
}

void Disc::draw(float) {
    // Before the attribute push on purpose: blending and fog stay off for
    // whatever is drawn after the discs.
    glDisable(GL_BLEND);
    glDisable(GL_FOG);

    glPushMatrix();
    applyPlacement(*this);
    glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_HINT_BIT);

    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor4fv(color);

    const float* p = vertices.get();
    glBegin(GL_TRIANGLE_FAN);
    for (int i = 0; i <= segmentCount; ++i) {
        glVertex3f(p[4 * i], p[4 * i + 1], p[4 * i + 2]);
    }
    glVertex3f(p[4], p[5], p[6]);
    glEnd();

    if (outlined) {
        glEnable(GL_LINE_SMOOTH);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glLineWidth(1.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        // n − 1 rim edges: the edge from the last rim point back to the
        // first has never been drawn, and the open rim is the look.
        glBegin(GL_LINES);
        for (int i = 1; i < segmentCount; ++i) {
            glVertex3f(p[4 * i], p[4 * i + 1], p[4 * i + 2]);
            glVertex3f(p[4 * (i + 1)], p[4 * (i + 1) + 1], p[4 * (i + 1) + 2]);
        }
        glEnd();
    }

    glPopAttrib();
    glPopMatrix();
}
