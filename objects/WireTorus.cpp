// WireTorus: builds the vertex grid once and draws it as half-transparent
// grey line loops, one loop per ring or one per segment. White is set before
// the attribute push so it stays current after the draw.
#include "objects/WireTorus.h"

#include <GL/gl.h>

#include <cmath>
#include <new>
#include <stdexcept>

#include "gfx/DegToRad.h"
#include "gfx/Placement.h"
#include "gfx/TorusSize.h"
#include "shell/CError.h"

WireTorus::WireTorus(float tubeRadius, float ringRadius, int ringCount, float scale,
                     float segmentCount)
    : scale(scale),
      ringCount(ringCount),
      segmentCount(truncatedCount(segmentCount)),
      tubeRadius(tubeRadius),
      vertexCount(checkedVertexCount(ringCount, this->segmentCount)) {
    try {
        vertices.resize(static_cast<std::size_t>(vertexCount) * 4);
    } catch (const std::bad_alloc&) {
        throw CError(torusInitError);
    } catch (const std::length_error&) {
        throw CError(torusInitError);
    }
    generate(ringRadius);
}

WireTorus::~WireTorus() = default;

void WireTorus::generate(float ringRadius) {
    const float r = tubeRadius;
    const float s = scale;
    for (int i = 0; i < ringCount; ++i) {
        const float u = static_cast<float>(i) * 360.0f / static_cast<float>(ringCount) * degToRad;
        const double sinU = std::sin(static_cast<double>(u));
        const double cosU = std::cos(static_cast<double>(u));
        for (int j = 0; j < segmentCount; ++j) {
            const float v =
                static_cast<float>(j) * 360.0f / static_cast<float>(segmentCount) * degToRad;
            const float d = static_cast<float>(ringRadius + r * std::cos(static_cast<double>(v)));
            float* out = &vertices[(static_cast<std::size_t>(i) * segmentCount + j) * 4];
            out[0] = static_cast<float>(-s * d * sinU);
            out[1] = static_cast<float>(s * d * cosU);
            out[2] = static_cast<float>(s * r * std::sin(static_cast<double>(v)));
        }
    }
}

void WireTorus::animate(float) {
    rotation.z += 1.3f;
    rotation.y += 1.3f;
}

void WireTorus::draw() {
    // Set before the attribute push on purpose: opaque white is what the
    // caller finds current afterwards.
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
    glColor4f(0.8f, 0.8f, 0.8f, 0.5f);

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (style == RingLoops)
        drawRingLoops();
    else if (style == SegmentLoops)
        drawSegmentLoops();

    glPopAttrib();
    glPopMatrix();
}

void WireTorus::sendVertex(int ring, int segment) const {
    const float* v = &vertices[(static_cast<std::size_t>(ring) * segmentCount + segment) * 4];
    glVertex3f(v[0], v[1], v[2]);
}

// Each edge is sent as its own pair, so inner vertices go out twice; the loop
// itself closes the last edge back to the first vertex.
void WireTorus::drawRingLoops() const {
    for (int i = 0; i < ringCount; ++i) {
        glBegin(GL_LINE_LOOP);
        for (int j = 0; j + 1 < segmentCount; ++j) {
            sendVertex(i, j);
            sendVertex(i, j + 1);
        }
        glEnd();
    }
}

void WireTorus::drawSegmentLoops() const {
    for (int j = 0; j < segmentCount; ++j) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i + 1 < ringCount; ++i) {
            sendVertex(i, j);
            sendVertex(i + 1, j);
        }
        glEnd();
    }
}
