// Shaders: where the layer's pictures are made to match Mesa's fixed-function
// ones: the colour clamped per vertex, fog from |z| in eye space applied per
// fragment, GL 1.1's texture environments, round points as a hard-edged disc
// and smooth lines as a quad whose coverage falls off as Mesa's does.
#include "webgl/Shaders.h"

namespace webgl::shaders {

namespace {

// What a draw does with texture and fog is fixed per program (ENV_MODE,
// FOG_MODE, see variantDefines): software rasterisers such as SwiftShader
// run every branch of a shader for every pixel, so a branch on a uniform
// would cost each fragment all five texture environments and all three fogs.
#define VELMORA_SHADE                                                                      \
    "uniform sampler2D image;\n"                                                           \
    "uniform int texturing;  // 3 an RGB image, 4 an RGBA image\n"                         \
    "uniform vec3 fogParams; // start, end, density\n"                                     \
    "uniform vec3 fogColor;\n"                                                             \
    "vec4 shade(vec4 c, vec4 tc, float distance) {\n"                                      \
    "#if ENV_MODE >= 0\n"                                                                  \
    "    vec4 t = texture(image, tc.xy / tc.w);\n"                                         \
    "    bool rgb = texturing == 3;\n"                                                     \
    "    if (rgb) t.a = 1.0;\n"                                                            \
    "#if ENV_MODE == 0\n"                                                                  \
    "    c *= t;\n"                                                                        \
    "#elif ENV_MODE == 1\n"                                                                \
    "    c = rgb ? vec4(t.rgb, c.a) : t;\n"                                                \
    "#elif ENV_MODE == 2\n"                                                                \
    "    c.rgb = rgb ? t.rgb : mix(c.rgb, t.rgb, t.a);\n"                                  \
    "#elif ENV_MODE == 3\n"                                                                \
    "    c = vec4(min(c.rgb + t.rgb, 1.0), c.a * t.a);\n"                                  \
    "#else\n"                                                                              \
    "    c = vec4(c.rgb * (1.0 - t.rgb), c.a * t.a);\n"                                    \
    "#endif\n"                                                                             \
    "#endif\n"                                                                             \
    "#if FOG_MODE != 0\n"                                                                  \
    "#if FOG_MODE == 1\n"                                                                  \
    "    float f = (fogParams.y - distance) / (fogParams.y - fogParams.x);\n"              \
    "#elif FOG_MODE == 2\n"                                                                \
    "    float f = exp(-fogParams.z * distance);\n"                                        \
    "#else\n"                                                                              \
    "    float f = exp(-(fogParams.z * distance) * (fogParams.z * distance));\n"           \
    "#endif\n"                                                                             \
    "    c.rgb = mix(fogColor, c.rgb, clamp(f, 0.0, 1.0));\n"                              \
    "#endif\n"                                                                             \
    "    return c;\n"                                                                      \
    "}\n"

// A variant without texture or fog passes no texture coordinate or fog
// distance between its stages: a software rasteriser interpolates every
// value passed for every pixel, used or not. Where one is not passed, a
// plain variable of the same name stands in, written and never read.
#define VELMORA_VARYINGS(direction)                                                       \
    "#if ENV_MODE >= 0\n" direction " vec4 vTexCoord;\n"                                   \
    "#else\n"                                                                              \
    "vec4 vTexCoord;\n"                                                                    \
    "#endif\n"                                                                             \
    "#if FOG_MODE != 0\n" direction " float vFogDistance;\n"                               \
    "#else\n"                                                                              \
    "float vFogDistance;\n"                                                                \
    "#endif\n"

#define VELMORA_TRANSFORM                                                                  \
    "uniform mat4 modelview;\n"                                                            \
    "uniform mat4 modelviewProjection;\n"                                                           \
    "uniform mat4 textureMatrix;\n"                                                        \
    "uniform vec4 viewport;  // x, y, width, height\n"                                     \
    "out vec4 vColor;\n"                                                                   \
    VELMORA_VARYINGS("out")                                                                \
    "vec2 toWindow(vec4 clip) {\n"                                                         \
    "    return viewport.xy + (clip.xy / clip.w * 0.5 + 0.5) * viewport.zw;\n"             \
    "}\n"                                                                                  \
    "vec2 fromWindow(vec2 window) {\n"                                                     \
    "    return (window - viewport.xy) / viewport.zw * 2.0 - 1.0;\n"                       \
    "}\n"

}  // namespace

std::string variantDefines(const DrawKey& key) {
    const int envMode = key.texturing != 0 ? key.envMode : -1;
    return "#define ENV_MODE " + std::to_string(envMode) + "\n#define FOG_MODE " +
           std::to_string(key.fogMode) + "\n#define ROUND_POINTS " +
           (key.kind == Kind::points && key.pointStyle == 2 ? "1" : "0") + "\n";
}

int variantOf(const DrawKey& key) {
    const int envMode = key.texturing != 0 ? key.envMode : -1;
    const int roundPoints = key.kind == Kind::points && key.pointStyle == 2 ? 1 : 0;
    return ((envMode + 1) * 4 + key.fogMode) * 2 + roundPoints;
}

const char* const vertexMain =
    "layout(location = 0) in vec4 position;\n"
    "layout(location = 1) in vec4 color;\n"
    "layout(location = 2) in vec2 texCoord;\n"
    VELMORA_TRANSFORM
    "uniform int pointStyle;  // 0 not points, 1 square, 2 round\n"
    "uniform float pointSize;\n"
    "#if ROUND_POINTS\n"
    "flat out vec2 vCenter;\n"
    "#else\n"
    "vec2 vCenter;\n"
    "#endif\n"
    "void main() {\n"
    "    vec4 eye = modelview * position;\n"
    "    vec4 clip = modelviewProjection * position;\n"
    "    vColor = clamp(color, 0.0, 1.0);\n"
    "    vTexCoord = textureMatrix * vec4(texCoord, 0.0, 1.0);\n"
    "    vFogDistance = abs(eye.z);\n"
    "    vec2 window = toWindow(clip);\n"
    "    if (pointStyle == 1) {\n"
    // GL's square points sit on the pixel grid: odd sizes centred on a
    // pixel, even sizes on a pixel corner.
    "        float size = max(floor(pointSize + 0.5), 1.0);\n"
    "        window = mod(size, 2.0) == 1.0 ? floor(window) + 0.5 : floor(window + 0.5);\n"
    "        clip.xy = fromWindow(window) * clip.w;\n"
    "        gl_PointSize = size;\n"
    "    } else {\n"
    "        gl_PointSize = pointStyle == 2 ? ceil(pointSize) + 2.0 : 1.0;\n"
    "    }\n"
    "    vCenter = window;\n"
    "    gl_Position = clip;\n"
    "}\n";

const char* const fragmentMain =
    "precision highp float;\n"
    "precision highp int;\n"
    VELMORA_SHADE
    "uniform float pointSize;\n"
    "in vec4 vColor;\n"
    VELMORA_VARYINGS("in")
    "#if ROUND_POINTS\n"
    "flat in vec2 vCenter;\n"
    "#endif\n"
    "out vec4 fragColor;\n"
    "void main() {\n"
    "    float opacity = 1.0;\n"
    "#if ROUND_POINTS\n"
    "    {\n"
    // Mesa's round points have a hard edge; a pixel centre exactly on the
    // circle counts on its left and bottom side, as on a polygon's edge.
    "        vec2 d = gl_FragCoord.xy - vCenter;\n"
    "        float d2 = dot(d, d);\n"
    "        float r = 0.5 * pointSize;\n"
    "        float r2 = r * r;\n"
    "        if (d2 > r2 || (d2 == r2 && !(d.x < 0.0 || (d.x == 0.0 && d.y < 0.0)))) discard;\n"
    // Within a pixel of its edge Mesa's coverage is 1; further in it keeps
    // rising, up to r² / (r² - (r - 1)²) at the centre, and multiplies the
    // alpha: blended points are more opaque in the middle.
    "        float k = r >= 1.0 ? (r - 1.0) * (r - 1.0) / r2 : 0.0;\n"
    "        opacity = max(1.0, (1.0 - d2 / r2) / (1.0 - k));\n"
    "    }\n"
    "#endif\n"
    "    vec4 c = shade(vColor, vTexCoord, vFogDistance);\n"
    "    fragColor = vec4(c.rgb, c.a * opacity);\n"
    "}\n";

// Four corners per segment, indexed as two triangles the way a triangle strip
// makes them; the segment's ends come from a float texture, five texels
// each (not from instanced attributes: SwiftShader draws each instance
// apart, and the torus's thousands of one-segment draws took it 200 ms a
// frame). The
// segment is clipped at the near plane, taken to window space, lengthened by
// half a pixel at each end and widened by halfWidth on each side — Mesa's
// quad. Each corner keeps its end's depth and w, and carries Mesa's coverage
// coordinates (across, along), which the GPU interpolates with perspective
// as Mesa does: near the eye a line thins and fades the way Mesa's does.
const char* const vertexSmoothLine =
    "// A's position, colour and texture coordinate, then B's: 20 floats.\n"
    "uniform highp sampler2D segments;\n"
    "uniform int segmentsPerRow;\n"
    VELMORA_TRANSFORM
    "uniform float halfWidth;\n"
    "out vec2 vLine;\n"
    "flat out float vHalfLength;\n"
    "void main() {\n"
    "    int segment = gl_VertexID / 4;\n"
    "    int corner = gl_VertexID - 4 * segment;\n"
    "    ivec2 at = ivec2(5 * (segment % segmentsPerRow), segment / segmentsPerRow);\n"
    "    vec4 e0 = texelFetch(segments, at, 0), e1 = texelFetch(segments, at + ivec2(1, 0), 0);\n"
    "    vec4 e2 = texelFetch(segments, at + ivec2(2, 0), 0), e3 = texelFetch(segments, at + ivec2(3, 0), 0);\n"
    "    vec4 e4 = texelFetch(segments, at + ivec2(4, 0), 0);\n"
    "    vec4 positionA = e0, colorA = e1, positionB = vec4(e2.zw, e3.xy), colorB = vec4(e3.zw, e4.xy);\n"
    "    vec2 texCoordA = e2.xy, texCoordB = e4.zw;\n"
    "    vec4 eyeA = modelview * positionA, eyeB = modelview * positionB;\n"
    "    vec4 clipA = modelviewProjection * positionA, clipB = modelviewProjection * positionB;\n"
    "    vec4 colA = colorA, colB = colorB;\n"
    "    vec2 tA = texCoordA, tB = texCoordB;\n"
    // Clipped against the six planes first, as GL clips a line: the quad is
    // built from what is left, whose ends carry their own w.
    "    float t0 = 0.0, t1 = 1.0;\n"
    "    for (int plane = 0; plane < 6; ++plane) {\n"
    "        float sign = (plane & 1) == 0 ? 1.0 : -1.0;\n"
    "        int axis = plane / 2;\n"
    "        float dA = clipA.w + sign * clipA[axis], dB = clipB.w + sign * clipB[axis];\n"
    "        if (dA < 0.0 && dB < 0.0) { t0 = 1.0; t1 = 0.0; break; }\n"
    "        if (dA < 0.0) t0 = max(t0, dA / (dA - dB));\n"
    "        else if (dB < 0.0) t1 = min(t1, dA / (dA - dB));\n"
    "    }\n"
    "    if (t0 >= t1) {\n"
    "        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);\n"
    "        return;\n"
    "    }\n"
    "    vec4 cA = mix(clipA, clipB, t0), cB = mix(clipA, clipB, t1);\n"
    "    vec4 eA = mix(eyeA, eyeB, t0), eB = mix(eyeA, eyeB, t1);\n"
    "    colA = mix(colorA, colorB, t0); colB = mix(colorA, colorB, t1);\n"
    "    tA = mix(texCoordA, texCoordB, t0); tB = mix(texCoordA, texCoordB, t1);\n"
    "    clipA = cA; clipB = cB; eyeA = eA; eyeB = eB;\n"
    "    vec2 winA = toWindow(clipA), winB = toWindow(clipB);\n"
    "    vec2 d = winB - winA;\n"
    "    float len = length(d);\n"
    "    vec2 dir = len > 0.0 ? d / len : vec2(1.0, 0.0);\n"
    "    vec2 across = vec2(-dir.y, dir.x);\n"
    "    bool atB = corner >= 2;\n"
    // The strip's shared edge runs from A's left corner to B's right one,
    // the diagonal Mesa's two triangles share: it bends the interpolation.
    "    float side = (corner == 1 || corner == 3) ? 1.0 : -1.0;\n"
    "    vec2 window = (atB ? winB + 0.5 * dir : winA - 0.5 * dir) + side * halfWidth * across;\n"
    "    vec4 clip = atB ? clipB : clipA;\n"
    "    gl_Position = vec4(fromWindow(window) * clip.w, clip.z, clip.w);\n"
    "    vColor = clamp(atB ? colB : colA, 0.0, 1.0);\n"
    "    vTexCoord = textureMatrix * vec4(atB ? tB : tA, 0.0, 1.0);\n"
    "    vFogDistance = abs(atB ? eyeB.z : eyeA.z);\n"
    // A segment shorter than a pixel gets a shorter reach, so it fades whole.
    "    vHalfLength = len < 1.0 ? len : 0.5 * len + 0.5;\n"
    "    vLine = vec2(-side * halfWidth, atB ? vHalfLength : -vHalfLength);\n"
    "}\n";

// Coverage falls from 1 on the line to 0 at halfWidth across it, and to 0
// at the lengthened ends along it.
const char* const fragmentSmoothLine =
    "precision highp float;\n"
    "precision highp int;\n"
    VELMORA_SHADE
    "uniform float halfWidth;\n"
    "in vec4 vColor;\n"
    VELMORA_VARYINGS("in")
    "in vec2 vLine;\n"
    "flat in float vHalfLength;\n"
    "out vec4 fragColor;\n"
    "void main() {\n"
    "    float across = clamp(halfWidth - abs(vLine.x), 0.0, 1.0);\n"
    "    float along = clamp(vHalfLength - abs(vLine.y), 0.0, 1.0);\n"
    "    vec4 c = shade(vColor, vTexCoord, vFogDistance);\n"
    "    fragColor = vec4(c.rgb, c.a * across * along);\n"
    "}\n";

}  // namespace webgl::shaders
