// Renderer: the GL state at a primitive's end as a draw key, batches sent as
// one upload and one draw, and the ES state changed only where it differs.
#include "webgl/Renderer.h"

#include "webgl/Shaders.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>

namespace webgl {

namespace {

constexpr GLsizei vertexBytes = sizeof(Vertex);

// A smooth line's two ends, 20 floats, are five RGBA texels of the segment
// texture; a row holds this many segments (2000 texels, inside the 2048 every
// WebGL 2 context allows), so a batch takes a row per 400 segments.
constexpr GLsizei segmentsPerRow = 400, texelsPerSegment = 5;
constexpr GLsizei segmentRows = 2048;
static_assert(2 * sizeof(Vertex) == texelsPerSegment * 4 * sizeof(float),
              "a segment is two vertices of ten floats");

void vertexLayout(const GlesApi& gl) {
    const std::size_t fields[3][2] = {{4, offsetof(Vertex, position)},
                                      {4, offsetof(Vertex, color)},
                                      {2, offsetof(Vertex, texCoord)}};
    for (GLuint i = 0; i < 3; ++i) {
        gl.EnableVertexAttribArray(shaders::position + i);
        gl.VertexAttribPointer(shaders::position + i, GLint(fields[i][0]), GL_FLOAT, GL_FALSE,
                               vertexBytes, reinterpret_cast<const void*>(fields[i][1]));
    }
}

std::int32_t envModeOf(GLint mode) {
    switch (mode) {
    case GL_REPLACE: return 1;
    case GL_DECAL: return 2;
    case GL_ADD: return 3;
    case GL_BLEND: return 4;
    default: return 0;
    }
}

// GL 1.1: a texture without an image, or whose filter wants mipmaps it does
// not have, leaves texturing off — the fragment keeps its colour.
bool complete(const Texture& t) {
    return t.hasImage && t.width > 0 && t.height > 0 &&
           (t.minFilter == GL_NEAREST || t.minFilter == GL_LINEAR);
}

}  // namespace

Renderer::Renderer(const GlesApi& api) : gl(api) {
    // The plainest variant of each stage now, so that shaders that do not
    // build stop the layer at its start rather than at some later draw.
    DrawKey plain;
    programFor(plain);
    plain.kind = Kind::smoothLines;
    programFor(plain);
    gl.GenBuffers(1, &vertexBuffer);
    gl.GenBuffers(1, &indexBuffer);
    gl.GenVertexArrays(1, &mainArray);
    gl.GenVertexArrays(1, &lineArray);
    gl.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    gl.BindVertexArray(mainArray);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    vertexLayout(gl);
    // Smooth lines read no attributes, only their corners' indices.
    gl.BindVertexArray(lineArray);
    gl.GenBuffers(1, &cornerBuffer);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, cornerBuffer);
    gl.BindVertexArray(0);
    // Its own unit, so the bound image of unit 0 is never disturbed.
    gl.GenTextures(1, &segmentTexture);
    gl.ActiveTexture(GL_TEXTURE0 + shaders::segmentUnit);
    gl.BindTexture(GL_TEXTURE_2D, segmentTexture);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl.ActiveTexture(GL_TEXTURE0);
    reset();
}

Renderer::~Renderer() {
    if (lost)
        return;
    for (const auto& entry : textures)
        gl.DeleteTextures(1, &entry.second.name);
    gl.DeleteTextures(1, &segmentTexture);
    gl.DeleteVertexArrays(1, &mainArray);
    gl.DeleteVertexArrays(1, &lineArray);
    gl.DeleteBuffers(1, &vertexBuffer);
    gl.DeleteBuffers(1, &indexBuffer);
    gl.DeleteBuffers(1, &cornerBuffer);
}

void Renderer::reset() {
    pending = false;
    vertices.clear();
    indices.clear();
    for (const auto& entry : textures)
        gl.DeleteTextures(1, &entry.second.name);
    textures.clear();
    rasterKnown = false;
    scissorKnown = false;
    boundProgram = boundArray = boundGpuTexture = 0;
    for (auto& entry : programs)
        entry.second->forget();
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
}

void Renderer::contextLost() {
    lost = true;
    pending = false;
    vertices.clear();
    indices.clear();
    textures.clear();
    for (auto& entry : programs)
        entry.second->abandon();
}

// Built on first use: a frame of the demo needs a handful of the variants.
Program& Renderer::programFor(const DrawKey& key) {
    const bool lines = key.kind == Kind::smoothLines;
    const int id = 2 * shaders::variantOf(key) + (lines ? 1 : 0);
    auto found = programs.find(id);
    if (found != programs.end())
        return *found->second;
    auto program = lines ? std::make_unique<Program>(gl, shaders::vertexSmoothLine,
                                                     shaders::fragmentSmoothLine,
                                                     shaders::variantDefines(key))
                         : std::make_unique<Program>(gl, shaders::vertexMain, shaders::fragmentMain,
                                                     shaders::variantDefines(key));
    if (lines) {
        gl.Uniform1i(gl.GetUniformLocation(program->id(), "segments"), GLint(shaders::segmentUnit));
        gl.Uniform1i(gl.GetUniformLocation(program->id(), "segmentsPerRow"), segmentsPerRow);
    }
    // Building it put it in use.
    boundProgram = program->id();
    return *programs.emplace(id, std::move(program)).first->second;
}

void Renderer::misuse(const std::string& what) {
    // Once: a frame repeats its calls, and the first report says enough.
    if (misuseShown)
        return;
    misuseShown = true;
    std::fprintf(stderr, "velmora: GL misuse: %s\n", what.c_str());
}

DrawKey Renderer::keyFor(Kind kind) const {
    const State& s = model->state();
    DrawKey key;
    key.kind = kind;
    if (model->enabled(GL_BLEND)) {
        key.blend = 1;
        key.blendSrc = s.blendSrc;
        key.blendDst = s.blendDst;
    }
    // Without the depth test GL neither tests nor writes depth.
    if (model->enabled(GL_DEPTH_TEST)) {
        key.depthTest = 1;
        key.depthFunc = s.depthFunc;
        key.depthMask = s.depthMask;
    }
    // Lines and points from polygons were culled on the way in.
    if (kind == Kind::triangles && model->enabled(GL_CULL_FACE)) {
        key.cull = 1;
        key.cullFace = s.cullFaceMode;
        key.frontFace = s.frontFace;
    }
    for (int i = 0; i < 4; ++i)
        key.viewport[i] = s.viewport[i];
    if (model->enabled(GL_SCISSOR_TEST)) {
        key.scissorTest = 1;
        for (int i = 0; i < 4; ++i)
            key.scissor[i] = s.scissorBox[i];
    }
    key.depthRange[0] = float(s.depthRange[0]);
    key.depthRange[1] = float(s.depthRange[1]);
    const Texture& texture = model->boundTexture();
    if (model->enabled(GL_TEXTURE_2D) && complete(texture)) {
        key.texture = s.boundTexture2D;
        key.texturing = baseFormat(texture.internalFormat);
        key.envMode = envModeOf(s.texEnvMode);
        key.minFilter = texture.minFilter;
        key.magFilter = texture.magFilter;
        key.wrapS = texture.wrapS;
        key.wrapT = texture.wrapT;
    }
    if (model->enabled(GL_FOG)) {
        key.fogMode = s.fogMode == GL_LINEAR ? 1 : (s.fogMode == GL_EXP ? 2 : 3);
        key.fogParams[0] = s.fogStart;
        key.fogParams[1] = s.fogEnd;
        key.fogParams[2] = s.fogDensity;
        for (int i = 0; i < 3; ++i)
            key.fogColor[i] = s.fogColor[i];
    }
    if (kind == Kind::points) {
        key.pointStyle = model->enabled(GL_POINT_SMOOTH) ? 2 : 1;
        key.pointSize = s.pointSize;
    }
    if (kind == Kind::smoothLines)
        key.halfWidth = s.lineWidth <= 1.0f ? 1.0f : 0.5f * s.lineWidth + 0.5f;
    const auto copy = [](const Matrix& m, float* out) { std::copy(m.m.begin(), m.m.end(), out); };
    copy(model->top(GL_MODELVIEW), key.modelview);
    // Mesa's order of single-precision products: a vertex then lands on the
    // same depth as in Mesa, and a wireframe drawn over its own filled
    // surface wins and loses the depth test on the same pixels.
    const auto& p = model->top(GL_PROJECTION).m;
    const auto& mv = model->top(GL_MODELVIEW).m;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            key.modelviewProjection[column * 4 + row] =
                p[row] * mv[column * 4] + p[4 + row] * mv[column * 4 + 1] +
                p[8 + row] * mv[column * 4 + 2] + p[12 + row] * mv[column * 4 + 3];
    copy(model->top(GL_TEXTURE), key.textureMatrix);
    return key;
}

void Renderer::use(const DrawKey& key) {
    if (pending && pendingKey == key)
        return;
    submit();
    pendingKey = key;
    pending = true;
}

void Renderer::submit() {
    if (!pending || lost) {
        pending = false;
        vertices.clear();
        indices.clear();
        return;
    }
    pending = false;
    if (vertices.empty()) {
        indices.clear();
        return;
    }
    const DrawKey& key = pendingKey;
    applyRasterState(key);
    const bool lines = key.kind == Kind::smoothLines;
    Program& program = programFor(key);
    if (boundProgram != program.id()) {
        gl.UseProgram(program.id());
        boundProgram = program.id();
    }
    program.apply(key);
    if (key.texturing != 0) {
        const GLuint name = gpuTexture(key.texture);
        bindTexture(name);
        applyTextureParameters(key, textures[key.texture]);
    }
    const GLuint array = lines ? lineArray : mainArray;
    if (boundArray != array) {
        gl.BindVertexArray(array);
        boundArray = array;
    }
    if (key.kind == Kind::smoothLines) {
        drawSmoothLines();
        return;
    }
    gl.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    gl.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Vertex)), vertices.data(),
                  GL_STREAM_DRAW);
    const auto count = GLsizei(vertices.size());
    switch (key.kind) {
    case Kind::triangles:
    case Kind::lines:
        gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(std::uint32_t)),
                      indices.data(), GL_STREAM_DRAW);
        gl.DrawElements(key.kind == Kind::lines ? GL_LINES : GL_TRIANGLES, GLsizei(indices.size()),
                        GL_UNSIGNED_INT, nullptr);
        break;
    case Kind::points:
        gl.DrawArrays(GL_POINTS, 0, count);
        break;
    case Kind::smoothLines:
        break;
    }
    ++drawCount;
    uploaded += static_cast<long long>(vertices.size() * sizeof(Vertex) +
                                       indices.size() * sizeof(std::uint32_t));
    vertices.clear();
    indices.clear();
}

// Four corners a segment, two triangles as a strip makes them (0 1 2, 2 1 3):
// indexed, so that the GPU shades each corner once. The indices never change,
// so they are sent only when a batch has more segments than any before it.
void Renderer::coverCorners(std::size_t segments) {
    if (segments <= cornerSegments)
        return;
    cornerSegments = std::max(segments, 2 * cornerSegments);
    std::vector<std::uint32_t> corners;
    corners.reserve(6 * cornerSegments);
    for (std::uint32_t first = 0; first < 4 * cornerSegments; first += 4)
        corners.insert(corners.end(), {first, first + 1, first + 2, first + 2, first + 1, first + 3});
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(corners.size() * sizeof(std::uint32_t)),
                  corners.data(), GL_STATIC_DRAW);
}

// The collected pairs as whole rows of the segment texture (the last one
// padded), a draw of four indexed corners per segment; a batch beyond the texture's
// rows goes in several.
void Renderer::drawSmoothLines() {
    const std::size_t perDraw = std::size_t(segmentsPerRow) * segmentRows;
    const std::size_t segments = vertices.size() / 2;
    vertices.resize(2 * ((segments + segmentsPerRow - 1) / segmentsPerRow) * segmentsPerRow, Vertex{});
    // Rows of 32,000 bytes: any unpack alignment holds.
    gl.ActiveTexture(GL_TEXTURE0 + shaders::segmentUnit);
    for (std::size_t first = 0; first < segments; first += perDraw) {
        const std::size_t count = std::min(perDraw, segments - first);
        const auto rows = GLsizei((count + segmentsPerRow - 1) / segmentsPerRow);
        gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, segmentsPerRow * texelsPerSegment, rows, 0,
                      GL_RGBA, GL_FLOAT, &vertices[2 * first]);
        coverCorners(count);
        gl.DrawElements(GL_TRIANGLES, GLsizei(6 * count), GL_UNSIGNED_INT, nullptr);
        ++drawCount;
        uploaded += static_cast<long long>(rows) * segmentsPerRow * 2 * sizeof(Vertex);
    }
    gl.ActiveTexture(GL_TEXTURE0);
    vertices.clear();
    indices.clear();
}

void Renderer::setDepthMask(bool on) {
    if (rasterKnown && depthMaskOn == on)
        return;
    gl.DepthMask(on ? GL_TRUE : GL_FALSE);
    depthMaskOn = on;
}

void Renderer::applyRasterState(const DrawKey& key) {
    const bool all = !rasterKnown;
    const DrawKey& was = raster;
    auto toggle = [&](GLenum cap, std::uint32_t now, std::uint32_t before) {
        if (all || now != before) (now ? gl.Enable : gl.Disable)(cap);
    };
    toggle(GL_BLEND, key.blend, was.blend);
    if (key.blend && (all || key.blendSrc != was.blendSrc || key.blendDst != was.blendDst))
        gl.BlendFunc(key.blendSrc, key.blendDst);
    toggle(GL_DEPTH_TEST, key.depthTest, was.depthTest);
    if (key.depthTest && (all || key.depthFunc != was.depthFunc))
        gl.DepthFunc(key.depthFunc);
    if (key.depthTest)
        setDepthMask(key.depthMask != 0);
    toggle(GL_CULL_FACE, key.cull, was.cull);
    if (key.cull && (all || key.cullFace != was.cullFace)) gl.CullFace(key.cullFace);
    if (key.cull && (all || key.frontFace != was.frontFace)) gl.FrontFace(key.frontFace);
    if (all || std::memcmp(key.viewport, was.viewport, sizeof key.viewport) != 0)
        gl.Viewport(key.viewport[0], key.viewport[1], key.viewport[2], key.viewport[3]);
    applyScissor(key.scissorTest != 0, key.scissor);
    if (all || key.depthRange[0] != was.depthRange[0] || key.depthRange[1] != was.depthRange[1])
        gl.DepthRangef(key.depthRange[0], key.depthRange[1]);
    // Keep what was set when the key left it unused, so "was" stays true.
    const DrawKey before = raster;
    raster = key;
    if (!key.blend) { raster.blendSrc = before.blendSrc; raster.blendDst = before.blendDst; }
    if (!key.depthTest) { raster.depthFunc = before.depthFunc; raster.depthMask = before.depthMask; }
    if (!key.cull) { raster.cullFace = before.cullFace; raster.frontFace = before.frontFace; }
    rasterKnown = true;
}

void Renderer::applyScissor(bool test, const std::int32_t* box) {
    if (!scissorKnown || test != scissorOn)
        (test ? gl.Enable : gl.Disable)(GL_SCISSOR_TEST);
    if (test && (!scissorKnown || std::memcmp(box, scissorBox, sizeof scissorBox) != 0)) {
        gl.Scissor(box[0], box[1], box[2], box[3]);
        std::memcpy(scissorBox, box, sizeof scissorBox);
    }
    scissorOn = test;
    scissorKnown = true;
}

bool Renderer::scissoredAway() const {
    const State& s = model->state();
    return model->enabled(GL_SCISSOR_TEST) && (s.scissorBox[2] == 0 || s.scissorBox[3] == 0);
}

void Renderer::flush(bool finish) {
    submit();
    if (lost)
        return;
    if (finish)
        gl.Finish();
    else
        gl.Flush();
}

void Renderer::clear(GLbitfield mask) {
    submit();
    if (lost)
        return;
    // A clear writes nothing outside the scissor box.
    if (scissoredAway())
        return;
    const State& s = model->state();
    const std::int32_t box[4] = {s.scissorBox[0], s.scissorBox[1], s.scissorBox[2], s.scissorBox[3]};
    applyScissor(model->enabled(GL_SCISSOR_TEST), box);
    gl.ClearColor(s.clearColor[0], s.clearColor[1], s.clearColor[2], s.clearColor[3]);
    gl.ClearDepthf(s.clearDepth);
    // GL clears depth only where writing it is allowed.
    setDepthMask(s.depthMask);
    gl.Clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

}  // namespace webgl
