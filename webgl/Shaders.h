// Shaders: the GLSL ES 3.00 sources of the fixed-function pipeline the layer
// stands in for — one vertex stage for triangles, plain lines and points,
// one that widens smooth lines into quads, and one fragment stage each.
#pragma once

namespace webgl::shaders {

// Attribute locations shared by the renderer and the sources.
constexpr unsigned position = 0, color = 1, texCoord = 2;
constexpr unsigned positionB = 3, colorB = 4, texCoordB = 5;

extern const char* const vertexMain;
extern const char* const fragmentMain;
extern const char* const vertexSmoothLine;
extern const char* const fragmentSmoothLine;

}  // namespace webgl::shaders
