// Renderer: the layer's backend — turns each glBegin/glEnd primitive into
// triangles, lines or points as GL 1.1 would draw them (quads split as Mesa
// splits them, polygon edges for glPolygonMode(GL_LINE) with culling decided
// per triangle first), collects consecutive primitives of equal state into
// one batch, and sends a batch as one vertex upload (plus its indices, or as
// a texture of segments for smooth lines) and one draw. Textures, clears,
// copies and read-backs go straight through.
#pragma once

#include "webgl/Backend.h"
#include "webgl/Context.h"
#include "webgl/DrawKey.h"
#include "webgl/GlesApi.h"
#include "webgl/Program.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace webgl {

class Renderer : public Backend {
public:
    // Needs the ES 3 context current; throws std::runtime_error when the
    // shaders do not build.
    explicit Renderer(const GlesApi& api);
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // The model whose state the draws follow; set once, before any call.
    void attach(Context& context) { model = &context; }
    // Drops the textures and what is cached of the ES state (a fresh start).
    void reset();
    // The ES context and everything in it are gone (a lost WebGL context, a
    // deleted native one): nothing is sent to it any more, not even deletes.
    void contextLost();

    void misuse(const std::string& what) override;
    void primitive(GLenum mode, const std::vector<Vertex>& vertices) override;
    void clear(GLbitfield mask) override;
    void textureImage(GLuint name, const void* pixels, GLenum format, GLenum type) override;
    void copyTextureImage(GLuint name, GLint x, GLint y) override;
    void copyTextureSubImage(GLuint name, GLint xoffset, GLint yoffset, GLint x, GLint y,
                             GLsizei width, GLsizei height) override;
    void deleteTexture(GLuint name) override;
    void readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                    std::size_t stride, std::size_t rowBytes, void* pixels) override;
    void readTexture(GLuint name, GLsizei width, GLsizei height, GLenum format, GLenum type,
                     std::size_t stride, std::size_t rowBytes, void* pixels) override;
    void flush(bool finish) override;

    // Draws what is collected; every call that reads or writes pixels
    // outside a draw does this first.
    void submit();
    // Draws sent and bytes uploaded since construction, for the benchmark.
    long draws() const { return drawCount; }
    long long uploadedBytes() const { return uploaded; }
    // 3 for an internal format without alpha, 4 for the rest.
    static std::int32_t baseFormat(GLint internalFormat);

private:
    // A triangle of a decomposed polygon, with GL's edge flags: bit 0 the
    // edge a-b, bit 1 b-c, bit 2 c-a.
    struct Triangle {
        std::uint32_t a, b, c;
        unsigned edges;
    };

    DrawKey keyFor(Kind kind) const;
    // The collected batch, sent first when its key differs from this one.
    void use(const DrawKey& key);
    void decompose(GLenum mode, std::size_t count, bool pipeline);
    void addPolygons(GLenum mode, const std::vector<Vertex>& vertices);
    void addEdges(const std::vector<Vertex>& vertices, const Triangle& t, Kind kind,
                  std::uint32_t base);
    std::uint32_t appendIndexed(const std::vector<Vertex>& vertices, Kind kind);
    void addLines(GLenum mode, const std::vector<Vertex>& vertices);
    bool frontFacing(const Triangle& t) const;
    // Clip coordinates (x, y, w) of each vertex into `clip`; true when one
    // lies outside the clip volume.
    bool clipCoordinates(const std::vector<Vertex>& vertices);
    // Reads RGBA bytes from the ES framebuffer bound for reading and hands
    // them on in the caller's format.
    void readConverted(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                       std::size_t stride, bool opaque, void* pixels);

    GLuint gpuTexture(GLuint name);
    void bindTexture(GLuint gpuName);
    void applyRasterState(const DrawKey& key);
    void applyScissor(bool test, const std::int32_t* box);
    // The scissor test is on with an empty box: no draw or clear can write a
    // pixel, so none is sent (how the headless run draws a frame state-only).
    bool scissoredAway() const;
    void setDepthMask(bool on);
    void drawSmoothLines();
    void coverCorners(std::size_t segments);

    GlesApi gl;
    Context* model = nullptr;
    // One program per variant of each stage (see shaders::variantOf).
    std::map<int, std::unique_ptr<Program>> programs;
    Program& programFor(const DrawKey& key);
    GLuint vertexBuffer = 0, indexBuffer = 0, mainArray = 0, lineArray = 0, segmentTexture = 0;
    GLuint cornerBuffer = 0;           // the smooth lines' indices, bound to lineArray
    std::size_t cornerSegments = 0;    // how many segments they cover

    DrawKey pendingKey;
    bool pending = false;
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<Triangle> triangles;              // scratch of decompose()
    std::vector<std::array<float, 3>> clip;       // scratch: x, y, w per vertex
    long drawCount = 0;
    long long uploaded = 0;

    struct GpuTexture {
        GLuint name = 0;
        GLenum minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;  // as last set
    };
    std::map<GLuint, GpuTexture> textures;        // by the model's name
    void applyTextureParameters(const DrawKey& key, GpuTexture& texture);
    // What the ES context holds now, so a draw changes only what differs.
    DrawKey raster;
    bool rasterKnown = false;
    bool depthMaskOn = true;
    bool scissorKnown = false, scissorOn = false;
    std::int32_t scissorBox[4] = {0, 0, 0, 0};
    GLuint boundProgram = 0, boundArray = 0, boundGpuTexture = 0;
    bool misuseShown = false;
    bool lost = false;
};

}  // namespace webgl
