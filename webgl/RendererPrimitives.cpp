// Renderer: primitives into batches. Polygons are split into triangles the
// way Mesa splits them,
// with GL's edge flags, so glPolygonMode(GL_LINE) draws exactly the edges
// Mesa draws, in its order, and a quad half turned away is culled alone.
#include "webgl/Renderer.h"

namespace webgl {

namespace {

constexpr unsigned edgeAB = 1, edgeBC = 2, edgeCA = 4, allEdges = 7;

}  // namespace

// Mesa splits a polygon one way when it has to clip it or draw it unfilled
// (its primitive pipeline: a quad on its v1-v3 diagonal, provoking vertex
// last) and another way when it sends it straight to the rasterizer (a quad
// on v0-v2, which for a quad strip is the same diagonal). Only quads, quad
// strips and polygons care: their halves shade and fog differently.
void Renderer::decompose(GLenum mode, std::size_t count, bool pipeline) {
    triangles.clear();
    const auto n = static_cast<std::uint32_t>(count);
    switch (mode) {
    case GL_TRIANGLES:
        for (std::uint32_t i = 0; i + 2 < n; i += 3)
            triangles.push_back({i, i + 1, i + 2, allEdges});
        break;
    case GL_TRIANGLE_STRIP:
        for (std::uint32_t i = 0; i + 2 < n; ++i) {
            if (i & 1)
                triangles.push_back({i + 1, i, i + 2, allEdges});
            else
                triangles.push_back({i, i + 1, i + 2, allEdges});
        }
        break;
    case GL_TRIANGLE_FAN:
        for (std::uint32_t i = 0; i + 2 < n; ++i)
            triangles.push_back({0, i + 1, i + 2, allEdges});
        break;
    case GL_QUADS:
        for (std::uint32_t i = 0; i + 3 < n; i += 4) {
            if (pipeline) {
                triangles.push_back({i, i + 1, i + 3, edgeAB | edgeCA});
                triangles.push_back({i + 1, i + 2, i + 3, edgeAB | edgeBC});
            } else {
                triangles.push_back({i, i + 1, i + 2, allEdges});
                triangles.push_back({i, i + 2, i + 3, allEdges});
            }
        }
        break;
    case GL_QUAD_STRIP:
        for (std::uint32_t i = 0; i + 3 < n; i += 2) {
            if (pipeline) {
                triangles.push_back({i + 2, i, i + 3, edgeAB | edgeCA});
                triangles.push_back({i, i + 1, i + 3, edgeAB | edgeBC});
            } else {
                triangles.push_back({i, i + 1, i + 3, allEdges});
                triangles.push_back({i, i + 3, i + 2, allEdges});
            }
        }
        break;
    case GL_POLYGON:
        for (std::uint32_t i = 0; i + 2 < n; ++i) {
            unsigned edges = edgeAB;
            if (i == 0)
                edges |= edgeCA;
            if (i + 3 == n)
                edges |= edgeBC;
            triangles.push_back({i + 1, i + 2, 0, edges});
        }
        break;
    default:
        break;
    }
}

bool Renderer::clipCoordinates(const std::vector<Vertex>& source) {
    const Matrix mvp = model->top(GL_PROJECTION) * model->top(GL_MODELVIEW);
    clip.resize(source.size());
    bool outside = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto c = mvp.apply(source[i].position);
        clip[i] = {c[0], c[1], c[3]};
        const float w = c[3];
        outside = outside || c[0] < -w || c[0] > w || c[1] < -w || c[1] > w || c[2] < -w ||
                  c[2] > w;
    }
    return outside;
}

// The sign of the (x, y, w) determinant is the winding the triangle shows
// in the window, even when part of it lies behind the eye.
bool Renderer::frontFacing(const Triangle& t) const {
    const auto& a = clip[t.a];
    const auto& b = clip[t.b];
    const auto& c = clip[t.c];
    const double det = double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
                       double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
                       double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]);
    const bool counterClockwise = det > 0;
    return counterClockwise == (model->state().frontFace == GL_CCW);
}

// Mesa's order: the edge c-a first, then a-b, then b-c. Plain lines index
// the primitive's vertices, appended once at `base`; smooth lines take pairs.
void Renderer::addEdges(const std::vector<Vertex>& source, const Triangle& t, Kind kind,
                        std::uint32_t base) {
    const std::uint32_t ends[3][2] = {{t.c, t.a}, {t.a, t.b}, {t.b, t.c}};
    const unsigned flags[3] = {edgeCA, edgeAB, edgeBC};
    for (int e = 0; e < 3; ++e) {
        if (!(t.edges & flags[e]))
            continue;
        if (kind == Kind::smoothLines) {
            vertices.push_back(source[ends[e][0]]);
            vertices.push_back(source[ends[e][1]]);
        } else if (kind == Kind::lines) {
            indices.push_back(base + ends[e][0]);
            indices.push_back(base + ends[e][1]);
        }
    }
    // Points stand on the first vertex of each drawn edge.
    if (kind == Kind::points) {
        if (t.edges & edgeAB) vertices.push_back(source[t.a]);
        if (t.edges & edgeBC) vertices.push_back(source[t.b]);
        if (t.edges & edgeCA) vertices.push_back(source[t.c]);
    }
}

// Where the batch's vertices start after appending the primitive's, for the
// kinds that index them.
std::uint32_t Renderer::appendIndexed(const std::vector<Vertex>& source, Kind kind) {
    const auto base = static_cast<std::uint32_t>(vertices.size());
    if (kind == Kind::triangles || kind == Kind::lines)
        vertices.insert(vertices.end(), source.begin(), source.end());
    return base;
}

void Renderer::addPolygons(GLenum mode, const std::vector<Vertex>& source) {
    const State& s = model->state();
    const bool cull = model->enabled(GL_CULL_FACE);
    const bool smooth = model->enabled(GL_LINE_SMOOTH);
    auto kindOf = [&](GLenum mode) {
        if (mode == GL_FILL) return Kind::triangles;
        if (mode == GL_POINT) return Kind::points;
        return smooth ? Kind::smoothLines : Kind::lines;
    };
    const Kind frontKind = kindOf(s.polygonModeFront), backKind = kindOf(s.polygonModeBack);
    if (frontKind == Kind::triangles && backKind == Kind::triangles) {
        const bool split = mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON;
        decompose(mode, source.size(), split && clipCoordinates(source));
        // Filled and culled by the GPU, which decides as GL does.
        use(keyFor(Kind::triangles));
        const std::uint32_t base = appendIndexed(source, Kind::triangles);
        for (const Triangle& t : triangles)
            indices.insert(indices.end(), {base + t.a, base + t.b, base + t.c});
        return;
    }
    decompose(mode, source.size(), true);
    const bool perFace = cull || frontKind != backKind;
    if (perFace)
        clipCoordinates(source);
    const DrawKey frontKey = keyFor(frontKind);
    const DrawKey backKey = frontKind == backKind ? frontKey : keyFor(backKind);
    const GLenum cullFace = s.cullFaceMode;
    use(frontKey);
    std::uint32_t base = appendIndexed(source, frontKind);
    for (const Triangle& t : triangles) {
        bool front = true;
        if (perFace) {
            front = frontFacing(t);
            if (cull && (cullFace == GL_FRONT_AND_BACK || (cullFace == GL_FRONT) == front))
                continue;
        }
        const Kind kind = front ? frontKind : backKind;
        if (pendingKey != (front ? frontKey : backKey)) {
            use(front ? frontKey : backKey);
            base = appendIndexed(source, kind);
        }
        if (kind == Kind::triangles)
            indices.insert(indices.end(), {base + t.a, base + t.b, base + t.c});
        else
            addEdges(source, t, kind, base);
    }
}

void Renderer::addLines(GLenum mode, const std::vector<Vertex>& source) {
    const bool smooth = model->enabled(GL_LINE_SMOOTH);
    use(keyFor(smooth ? Kind::smoothLines : Kind::lines));
    const auto n = static_cast<std::uint32_t>(source.size());
    const auto base = static_cast<std::uint32_t>(vertices.size());
    if (!smooth)
        vertices.insert(vertices.end(), source.begin(), source.end());
    auto segment = [&](std::uint32_t a, std::uint32_t b) {
        if (smooth) {
            vertices.push_back(source[a]);
            vertices.push_back(source[b]);
        } else {
            indices.push_back(base + a);
            indices.push_back(base + b);
        }
    };
    if (mode == GL_LINES) {
        for (std::uint32_t i = 0; i + 1 < n; i += 2)
            segment(i, i + 1);
        return;
    }
    for (std::uint32_t i = 0; i + 1 < n; ++i)
        segment(i, i + 1);
    if (mode == GL_LINE_LOOP && n >= 2)
        segment(n - 1, 0);
}

void Renderer::primitive(GLenum mode, const std::vector<Vertex>& source) {
    if (source.empty() || scissoredAway())
        return;
    switch (mode) {
    case GL_POINTS:
        use(keyFor(Kind::points));
        vertices.insert(vertices.end(), source.begin(), source.end());
        return;
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        addLines(mode, source);
        return;
    default:
        addPolygons(mode, source);
    }
}

}  // namespace webgl
