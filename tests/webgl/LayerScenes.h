// LayerScenes: what the rows of the layer-versus-Mesa table draw with — the
// two projections the scenes use, blending, and shapes sent the way the
// demo's objects send them.
#pragma once

#include "tests/support/GLApi.h"
#include "tests/webgl/LayerRig.h"

#include <ostream>
#include <vector>

constexpr int W = LayerRig::width, H = LayerRig::height;

// A window-sized orthographic view, or the scenes' 45° perspective, over a
// cleared picture.
void ortho(const GLApi& gl);
void perspective(const GLApi& gl);
void blend(const GLApi& gl);
// A cube of half-size h as CubeStar sends it: six quads.
void cube(const GLApi& gl, float h);
// A band of a torus as WobbleTorus sends it: one quad strip per ring.
void torus(const GLApi& gl, int rings, int segments, float ring, float tube);
void texturedQuad(const GLApi& gl, float x0, float y0, float x1, float y1, float s);
GLuint checkerTexture(const GLApi& gl, GLint internalFormat, int w, int h);
// A floor, lines and points running into fog of the given mode.
void fogged(const GLApi& gl, GLint mode);

// One row: a scene drawn by both, and how far apart the pictures may be.
struct Case {
    const char* name;
    int levels;    // a pixel differs when a channel is further apart than this
    double share;  // of the pixels, allowed to differ
    void (*scene)(const GLApi& gl);
};

// Names the row in test listings (and so in ctest's names) instead of bytes.
inline void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

extern const std::vector<Case> fillCases;
extern const std::vector<Case> lineCases;
