// DotSphere: builds the point sphere once and draws it as dots plus a line
// wireframe that walks consecutive points of the buffer.
#include "objects/DotSphere.h"

#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <new>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"

namespace {

// The resolution as the sphere stores it: truncated toward zero. Values an
// int cannot hold, and NaN, can never give a buffer and fail like one.
int truncatedResolution(float resolution) {
    if (!(resolution > -2147483648.0f && resolution < 2147483648.0f)) {
        throw std::bad_array_new_length();
    }
    return static_cast<int>(resolution);
}

// resolution² computed in 64 bits; a count that is zero, negative or too big
// for the int member is an allocation failure, never a wrapped size.
int squaredCount(float resolution) {
    const long long n = truncatedResolution(resolution);
    const long long count = n * n;
    if (n <= 0 || count > INT_MAX) {
        throw std::bad_array_new_length();
    }
    return static_cast<int>(count);
}

}  // namespace

DotSphere::DotSphere(float resolutionArg, float radiusArg)
    : radius(radiusArg),
      pointCount(squaredCount(resolutionArg)),
      points(std::make_unique<float[]>(static_cast<std::size_t>(pointCount) * 4)),
      resolution(truncatedResolution(resolutionArg)) {
    const int n = resolution;
    const float phiStep = 360.0f / static_cast<float>(n);
    const float thetaStep = 180.0f / static_cast<float>(n);
    // n/2 latitude rings of 2n points, counted rather than compared with an
    // accumulated angle, so no resolution writes past the n² points. Ring 0
    // is 2n copies of the pole; the opposite pole is never reached, which is
    // how the sphere has always looked. For odd n the tail stays at zero.
    float* out = points.get();
    for (int ring = 0; ring < n / 2; ++ring) {
        const double phi = static_cast<double>(static_cast<float>(ring) * phiStep) * degToRad;
        const double sinPhi = std::sin(phi);
        const double cosPhi = std::cos(phi);
        for (int k = 0; k < 2 * n; ++k) {
            const double theta =
                static_cast<double>(static_cast<float>(k) * thetaStep) * degToRad;
            out[0] = static_cast<float>(radius * std::cos(theta) * sinPhi);
            out[1] = static_cast<float>(radius * std::sin(theta) * sinPhi);
            out[2] = static_cast<float>(radius * cosPhi);
            out += 4;
        }
    }
}

DotSphere::~DotSphere() = default;

void DotSphere::draw(float) {
    glPushMatrix();
    applyPlacement(*this);
    glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_HINT_BIT);

    glDisable(GL_TEXTURE_2D);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    // Outside the attribute mask: the blend function stays for whatever the
    // caller draws next.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPointSize(5.0f);

    const float* p = points.get();
    glBegin(GL_POINTS);
    for (int m = 0; m < pointCount; ++m) {
        glVertex3f(p[4 * m], p[4 * m + 1], p[4 * m + 2]);
    }
    glEnd();

    // Left set on purpose: later filled polygons come out as outlines.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    // Each strip pairs every point with its successor, so in line mode it
    // draws the segments between consecutive points; the rest of the last
    // ring never appears.
    const int n = resolution;
    for (int s = 0; s + 1 < n; ++s) {
        glBegin(GL_QUAD_STRIP);
        for (int k = 0; k < n; ++k) {
            const int m = s * n + k;
            glVertex3f(p[4 * m], p[4 * m + 1], p[4 * m + 2]);
            glVertex3f(p[4 * m + 4], p[4 * m + 5], p[4 * m + 6]);
        }
        glEnd();
    }

    glPopAttrib();
    glPopMatrix();
}
