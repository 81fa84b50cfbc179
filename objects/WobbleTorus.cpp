// WobbleTorus: the torus scene's tunnel. Every animate() rewrites all vertices
// for the current wave phase; draw() sends the same bands twice, filled blue
// and then as a lighter wireframe, after a small red axis cross.
#include "objects/WobbleTorus.h"

#include <GL/gl.h>

#include <cmath>
#include <new>
#include <stdexcept>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"
#include "gfx/TorusSize.h"
#include "shell/CError.h"

float WobbleTorus::wobbleStartTime = 0.0f;
bool WobbleTorus::wobbleStartCaptured = false;

WobbleTorus::WobbleTorus(float tubeRadius, float ringRadius, int ringCount, float scale,
                         float segmentCount)
    : scale(scale),
      ringCount(ringCount),
      segmentCount(truncatedCount(segmentCount)),
      tubeRadius(tubeRadius),
      ringRadius(ringRadius),
      vertexCount(checkedVertexCount(ringCount, this->segmentCount)) {
    try {
        vertices.resize(static_cast<std::size_t>(vertexCount) * 4);
    } catch (const std::bad_alloc&) {
        throw CError(torusInitError);
    } catch (const std::length_error&) {
        throw CError(torusInitError);
    }
    generate(0.0f);
}

WobbleTorus::~WobbleTorus() = default;

void WobbleTorus::animate(float time) {
    if (!wobbleStartCaptured) {
        wobbleStartTime = time;
        wobbleStartCaptured = true;
    }
    generate(time - wobbleStartTime);
}

// The wave shifts one degree per ring (offset from the middle ring), so it
// winds around the torus; the phase moves it with time.
void WobbleTorus::generate(float phaseDegrees) {
    const float r = tubeRadius;
    const float s = scale;
    const int half = ringCount / 2;
    for (int i = 0; i < ringCount; ++i) {
        const float u = static_cast<float>(i) * 360.0f / static_cast<float>(ringCount) * degToRad;
        const double sinU = std::sin(static_cast<double>(u));
        const double cosU = std::cos(static_cast<double>(u));
        const float ringOffset = static_cast<float>(i - half);
        for (int j = 0; j < segmentCount; ++j) {
            const float vDeg = static_cast<float>(j) * 360.0f / static_cast<float>(segmentCount);
            const float w = vDeg + ringOffset + phaseDegrees;
            const double v = static_cast<double>(vDeg * degToRad);
            const double stretch = 1.0 + 0.3 * std::sin(static_cast<double>(3.0f * w * degToRad));
            const double bulge = 1.0 + 0.4 * std::cos(static_cast<double>(6.0f * w * degToRad));
            const float d = static_cast<float>(ringRadius + r * stretch * std::cos(v));
            const double e = r * bulge * std::sin(v);
            float* out = &vertices[(static_cast<std::size_t>(i) * segmentCount + j) * 4];
            out[0] = static_cast<float>(-s * d * sinU);
            out[1] = static_cast<float>(s * d * cosU);
            out[2] = static_cast<float>(s * e);
        }
    }
}

void WobbleTorus::draw() {
    // Orientation aid in the caller's frame, before the object's transform.
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 1.0f);
    glEnd();

    // Set before the attribute push on purpose: white stays current afterwards.
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    applyPlacement(*this);
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_ENABLE_BIT | GL_HINT_BIT);
    // The binding is outside the saved attributes: texture 0 stays bound.
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor4f(0.2f, 0.4f, 0.9f, 0.5f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawBands();

    glColor4f(0.6f, 0.6f, 0.9f, 0.5f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    drawBands();

    glPopAttrib();
    glPopMatrix();
}

void WobbleTorus::sendVertex(int ring, int segment) const {
    const float* v = &vertices[(static_cast<std::size_t>(ring) * segmentCount + segment) * 4];
    glVertex3f(v[0], v[1], v[2]);
}

// One strip per band between neighbouring rings, closed around the tube by
// repeating segment 0; the band from the last ring back to ring 0 comes last.
void WobbleTorus::drawBands() const {
    for (int i = 0; i < ringCount; ++i) {
        const int next = (i < ringCount - 1) ? i + 1 : 0;
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j < segmentCount; ++j) {
            sendVertex(next, j);
            sendVertex(i, j);
        }
        sendVertex(next, 0);
        sendVertex(i, 0);
        glEnd();
    }
}
