// WobbleTorus: the torus scene's tunnel. Every animate() rewrites all vertices
// for the current wave phase; draw() sends the same bands twice, filled blue
// and then as a lighter wireframe, after a small red axis cross.
#include "objects/WobbleTorus.h"

#include <GL/gl.h>

#include <algorithm>
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
        prepareTables();
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

// The angles are formed exactly as the wave formula forms them, so the
// tables hold the very values a direct evaluation would.
void WobbleTorus::prepareTables() {
    const int half = ringCount / 2;
    for (int i = 0; i < ringCount; ++i) {
        const float u = static_cast<float>(i) * 360.0f / static_cast<float>(ringCount) * degToRad;
        ringSin.push_back(std::sin(static_cast<double>(u)));
        ringCos.push_back(std::cos(static_cast<double>(u)));
    }
    std::vector<float> segmentDegrees;
    for (int j = 0; j < segmentCount; ++j) {
        const float vDeg = static_cast<float>(j) * 360.0f / static_cast<float>(segmentCount);
        const double v = static_cast<double>(vDeg * degToRad);
        segmentDegrees.push_back(vDeg);
        segmentSin.push_back(std::sin(v));
        segmentCos.push_back(std::cos(v));
    }
    std::vector<float> offsets;
    for (int i = 0; i < ringCount; ++i) {
        for (int j = 0; j < segmentCount; ++j) {
            offsets.push_back(segmentDegrees[j] + static_cast<float>(i - half));
        }
    }
    waveAngles = offsets;
    std::sort(waveAngles.begin(), waveAngles.end());
    waveAngles.erase(std::unique(waveAngles.begin(), waveAngles.end()), waveAngles.end());
    for (float offset : offsets) {
        const auto at = std::lower_bound(waveAngles.begin(), waveAngles.end(), offset);
        waveOfVertex.push_back(static_cast<int>(at - waveAngles.begin()));
    }
    stretches.resize(waveAngles.size());
    bulges.resize(waveAngles.size());
}

// The wave shifts one degree per ring (offset from the middle ring), so it
// winds around the torus; the phase moves it with time.
void WobbleTorus::generate(float phaseDegrees) {
    for (std::size_t k = 0; k < waveAngles.size(); ++k) {
        const float w = waveAngles[k] + phaseDegrees;
        stretches[k] = 1.0 + 0.3 * std::sin(static_cast<double>(3.0f * w * degToRad));
        bulges[k] = 1.0 + 0.4 * std::cos(static_cast<double>(6.0f * w * degToRad));
    }
    const float r = tubeRadius;
    const float s = scale;
    for (int i = 0; i < ringCount; ++i) {
        const double sinU = ringSin[i];
        const double cosU = ringCos[i];
        for (int j = 0; j < segmentCount; ++j) {
            const std::size_t vertex = static_cast<std::size_t>(i) * segmentCount + j;
            const int wave = waveOfVertex[vertex];
            const float d = static_cast<float>(ringRadius + r * stretches[wave] * segmentCos[j]);
            const double e = r * bulges[wave] * segmentSin[j];
            float* out = &vertices[vertex * 4];
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
