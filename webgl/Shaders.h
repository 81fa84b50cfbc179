// Shaders: the GLSL ES 3.00 sources of the fixed-function pipeline the layer
// stands in for — one vertex stage for triangles, plain lines and points,
// one that widens smooth lines (read from a texture) into quads, and one fragment stage each.
#pragma once

#include "webgl/DrawKey.h"

#include <string>

namespace webgl::shaders {

// Attribute locations shared by the renderer and the sources.
constexpr unsigned position = 0, color = 1, texCoord = 2;
// The smooth-line stage reads its segments from this texture unit.
constexpr unsigned segmentUnit = 1;

// The sources carry no #version line: a program is built from "#version 300
// es", its variant's defines, then the source.
// What decides a draw's variant (texture environment, fog, round points), as
// #define lines, and as a number unique to them.
std::string variantDefines(const DrawKey& key);
int variantOf(const DrawKey& key);

extern const char* const vertexMain;
extern const char* const fragmentMain;
extern const char* const vertexSmoothLine;
extern const char* const fragmentSmoothLine;

}  // namespace webgl::shaders
