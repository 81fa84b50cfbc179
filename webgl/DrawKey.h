// DrawKey: everything a draw's pixels depend on besides its vertices, taken
// from the GL state when a glBegin/glEnd pair ends. Consecutive primitives
// with equal keys go to the GPU as one draw. Every field is four bytes, so
// there is no padding and two keys compare with memcmp.
#pragma once

#include <cstdint>
#include <cstring>

namespace webgl {

// How a batch's vertices reach the GPU.
enum class Kind : std::uint32_t {
    triangles,    // indexed triangles
    lines,        // indexed one-pixel lines, rasterized by the GPU
    smoothLines,  // vertex pairs, widened into quads by the smooth-line program
    points,       // one vertex per point
};

struct DrawKey {
    Kind kind = Kind::triangles;
    std::uint32_t blend = 0, blendSrc = 0, blendDst = 0;
    std::uint32_t depthTest = 0, depthFunc = 0, depthMask = 0;
    std::uint32_t cull = 0, cullFace = 0, frontFace = 0;
    std::int32_t viewport[4] = {0, 0, 0, 0};
    std::int32_t scissor[4] = {0, 0, 0, 0};  // all 0 without the scissor test
    std::uint32_t scissorTest = 0;
    float depthRange[2] = {0, 1};
    std::uint32_t texture = 0;    // the model's texture name when texturing
    std::int32_t texturing = 0;   // 0 off, 3 RGB, 4 RGBA (the image's base format)
    std::int32_t envMode = 0;     // 0 modulate, 1 replace, 2 decal, 3 add, 4 blend
    std::uint32_t minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
    std::int32_t fogMode = 0;     // 0 off, 1 linear, 2 exp, 3 exp2
    float fogParams[3] = {0, 0, 0};
    float fogColor[3] = {0, 0, 0};
    std::int32_t pointStyle = 0;  // 0 not points, 1 square, 2 round
    float pointSize = 1;
    float halfWidth = 1;          // smooth lines: coverage half-width in pixels
    float modelview[16] = {};
    float modelviewProjection[16] = {};  // as Mesa forms it, in single precision
    float textureMatrix[16] = {};

    bool operator==(const DrawKey& other) const {
        return std::memcmp(this, &other, sizeof *this) == 0;
    }
    bool operator!=(const DrawKey& other) const { return !(*this == other); }
};

}  // namespace webgl
