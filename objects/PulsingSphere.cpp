// PulsingSphere: shapes the dot sphere's points once, then rescales them
// every frame along their direction from the centre by a travelling wave.
#include "objects/PulsingSphere.h"

#include <GL/gl.h>

#include <cmath>
#include <new>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"
#include "shell/CError.h"

PulsingSphere::PulsingSphere() : DotSphere(40.0f, 2.0f) {
    try {
        livePoints = std::make_unique<float[]>(static_cast<std::size_t>(pointCount) * 4);
        gains.resize(static_cast<std::size_t>(2 * resolution - 1));
    } catch (const std::bad_alloc&) {
        throw CError("Error not enough memory");
    }

    const int n = resolution;
    const float step = 360.0f / static_cast<float>(n);
    float* base = points.get();
    float* live = livePoints.get();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int m = n * i + j;
            const double angle = static_cast<double>(i + j) * step * degToRad;
            const double f = radius + 0.5 * std::sin(angle) * std::cos(3.0 * angle);
            for (int c = 0; c < 3; ++c) {
                base[4 * m + c] = static_cast<float>(base[4 * m + c] * f);
                live[4 * m + c] = base[4 * m + c];
            }
        }
    }
}

PulsingSphere::~PulsingSphere() = default;

void PulsingSphere::animate(float time) {
    const int n = resolution;
    const float step = 360.0f / static_cast<float>(n);
    for (int k = 0; k < 2 * n - 1; ++k) {
        gains[k] = 1.3 * std::sin((static_cast<double>(k) * step + 4.0 * time) * degToRad);
    }
    const float* base = points.get();
    float* live = livePoints.get();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int m = n * i + j;
            // Always from the base shape, so the sphere never drifts.
            const double g = gains[i + j];
            for (int c = 0; c < 3; ++c) {
                live[4 * m + c] = static_cast<float>(g * base[4 * m + c]);
            }
        }
    }
}

void PulsingSphere::draw(float) {
    glPushMatrix();
    applyPlacement(*this);
    glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_HINT_BIT);

    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 0.6f, 1.0f, 0.4f);
    glPointSize(5.0f);

    const float* p = livePoints.get();
    glBegin(GL_POINTS);
    for (int m = 0; m < pointCount; ++m) {
        glVertex3f(p[4 * m], p[4 * m + 1], p[4 * m + 2]);
    }
    glEnd();

    // Left set after the draw, like the blend function and texture 0.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    const int rowLength = pointCount / resolution;
    for (int r = 0; r + 1 < resolution; ++r) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int c = 0; c < rowLength; ++c) {
            const int a = r * rowLength + c;
            const int b = a + rowLength;
            glVertex3f(p[4 * a], p[4 * a + 1], p[4 * a + 2]);
            // Only z comes from point b: the skewed mesh is the look, keep it.
            glVertex3f(p[4 * a], p[4 * a + 1], p[4 * b + 2]);
        }
        glEnd();
    }

    glPopAttrib();
    glPopMatrix();
}
