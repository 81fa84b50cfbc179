// DotCylinder: the intro scene's stack of point rings, built once, drawn as
// small dots with a band joining the first two rings.
#include "objects/DotCylinder.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"
#include "shell/CError.h"

namespace {

const char* const noMemory = "3D Object generation error : not enough memory";

}  // namespace

DotCylinder::DotCylinder(float radiusArg, int ringCountArg, float ringSpacingArg, float segments)
    : ringSpacing(ringSpacingArg),
      ringCount(ringCountArg),
      segmentCount(0),
      radius(radiusArg),
      pointCount(0) {
    // Counts are worked out in 64 bits; anything that cannot give a buffer
    // (NaN, zero, negative, wider than an int) is reported like a failed
    // allocation instead of wrapping around.
    if (!(segments >= 1.0f && segments < 2147483648.0f) || ringCount <= 0) {
        throw CError(noMemory);
    }
    segmentCount = static_cast<int>(segments);
    const double total = std::trunc(static_cast<double>(ringCount) * segments);
    if (total > INT_MAX) {
        throw CError(noMemory);
    }
    pointCount = static_cast<int>(total);
    // The draw walks ringCount × segmentCount points; never less buffer.
    const long long used = static_cast<long long>(ringCount) * segmentCount;
    const long long allocated = std::max<long long>(pointCount, used);
    try {
        points = std::make_unique<float[]>(static_cast<std::size_t>(allocated) * 4);
    } catch (const std::bad_alloc&) {
        throw CError(noMemory);
    }

    // Exactly segmentCount points per ring at k · step, whatever the step's
    // rounding; step comes from the untruncated argument.
    const float step = 360.0f / segments;
    float* out = points.get();
    for (int j = 0; j < ringCount; ++j) {
        const float y = static_cast<float>(j) * ringSpacing;
        for (int k = 0; k < segmentCount; ++k) {
            const double theta = static_cast<double>(static_cast<float>(k) * step) * degToRad;
            out[0] = static_cast<float>(radius * std::cos(theta));
            out[1] = y;
            out[2] = static_cast<float>(radius * std::sin(theta));
            out += 4;
        }
    }
}

DotCylinder::~DotCylinder() = default;

void DotCylinder::draw() {
    glPushMatrix();
    applyPlacement(*this);
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_ENABLE_BIT | GL_HINT_BIT);

    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Point state is outside the mask: size 3 stays for the next draw.
    glPointSize(3.0f);

    const float* p = points.get();
    glBegin(GL_POINTS);
    for (int j = 0; j < ringCount; ++j) {
        for (int k = 0; k < segmentCount; ++k) {
            const int m = j * segmentCount + k;
            glVertex3f(p[4 * m], p[4 * m + 1], p[4 * m + 2]);
        }
    }
    glEnd();

    // The band joins rings 0 and 1 only; a single ring has no band to draw.
    // No colour or polygon mode of its own: the caller's apply.
    if (ringCount >= 2) {
        const int n = segmentCount;
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i < n; ++i) {
            glVertex3f(p[4 * i], p[4 * i + 1], p[4 * i + 2]);
            glVertex3f(p[4 * (i + n)], p[4 * (i + n) + 1], p[4 * (i + n) + 2]);
        }
        glVertex3f(p[0], p[1], p[2]);
        glVertex3f(p[4 * n], p[4 * n + 1], p[4 * n + 2]);
        glEnd();
    }

    glPopAttrib();
    glPopMatrix();
}
