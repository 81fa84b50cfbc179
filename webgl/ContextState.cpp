// Context: the fixed-function state calls — blending, polygon mode, point
// and line sizes, hints, depth, culling, fog and clearing — each checked the
// way Mesa checks it before it changes anything.
#include "webgl/Context.h"

namespace webgl {

namespace {

bool isHintTarget(GLenum target) {
    return target == GL_PERSPECTIVE_CORRECTION_HINT || target == GL_POINT_SMOOTH_HINT ||
           target == GL_LINE_SMOOTH_HINT || target == GL_POLYGON_SMOOTH_HINT ||
           target == GL_FOG_HINT;
}

bool isBlendFactor(GLenum factor) {
    switch (factor) {
    case GL_ZERO: case GL_ONE: case GL_SRC_COLOR: case GL_ONE_MINUS_SRC_COLOR:
    case GL_DST_COLOR: case GL_ONE_MINUS_DST_COLOR: case GL_SRC_ALPHA:
    case GL_ONE_MINUS_SRC_ALPHA: case GL_DST_ALPHA: case GL_ONE_MINUS_DST_ALPHA:
    case GL_SRC_ALPHA_SATURATE:
        return true;
    default:
        return false;
    }
}

float clamp01(float v) { return v < 0 ? 0.0f : (v > 1 ? 1.0f : v); }

}  // namespace

void Context::blendFunc(GLenum sfactor, GLenum dfactor) {
    if (!outsideBeginEnd("glBlendFunc"))
        return;
    // Mesa takes GL_SRC_ALPHA_SATURATE as a destination factor too.
    if (!isBlendFactor(sfactor) || !isBlendFactor(dfactor)) {
        fail(GL_INVALID_ENUM, "glBlendFunc with an unknown factor");
        return;
    }
    live.blendSrc = sfactor;
    live.blendDst = dfactor;
}

void Context::polygonMode(GLenum face, GLenum mode) {
    if (!outsideBeginEnd("glPolygonMode"))
        return;
    if ((face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) ||
        (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL)) {
        fail(GL_INVALID_ENUM, "glPolygonMode with an unknown face or mode");
        return;
    }
    if (face != GL_BACK)
        live.polygonModeFront = mode;
    if (face != GL_FRONT)
        live.polygonModeBack = mode;
}

void Context::pointSize(float size) {
    if (!outsideBeginEnd("glPointSize"))
        return;
    if (size <= 0) {
        fail(GL_INVALID_VALUE, "glPointSize not above 0");
        return;
    }
    live.pointSize = size;
}

void Context::lineWidth(float width) {
    if (!outsideBeginEnd("glLineWidth"))
        return;
    if (width <= 0) {
        fail(GL_INVALID_VALUE, "glLineWidth not above 0");
        return;
    }
    live.lineWidth = width;
}

void Context::hint(GLenum target, GLenum mode) {
    if (!outsideBeginEnd("glHint"))
        return;
    if (!isHintTarget(target) || (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE)) {
        fail(GL_INVALID_ENUM, describe("glHint target", target));
        return;
    }
    live.hints[target] = mode;
}

void Context::shadeModel(GLenum mode) {
    if (!outsideBeginEnd("glShadeModel"))
        return;
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        fail(GL_INVALID_ENUM, describe("glShadeModel", mode));
        return;
    }
    live.shadeModel = mode;
}

void Context::clear(GLbitfield mask) {
    if (!outsideBeginEnd("glClear"))
        return;
    const GLbitfield known =
        GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
    if (mask & ~known) {
        fail(GL_INVALID_VALUE, "glClear with bits that name no buffer");
        return;
    }
    out.clear(mask);
}

void Context::clearColor(float r, float g, float b, float a) {
    if (outsideBeginEnd("glClearColor"))
        live.clearColor = {clamp01(r), clamp01(g), clamp01(b), clamp01(a)};
}

void Context::clearDepth(double depth) {
    if (outsideBeginEnd("glClearDepth"))
        live.clearDepth = clamp01(static_cast<float>(depth));
}

void Context::depthFunc(GLenum func) {
    if (!outsideBeginEnd("glDepthFunc"))
        return;
    if (func < GL_NEVER || func > GL_ALWAYS) {
        fail(GL_INVALID_ENUM, describe("glDepthFunc", func));
        return;
    }
    live.depthFunc = func;
}

void Context::depthMask(bool flag) {
    if (outsideBeginEnd("glDepthMask"))
        live.depthMask = flag;
}

void Context::frontFace(GLenum mode) {
    if (!outsideBeginEnd("glFrontFace"))
        return;
    if (mode != GL_CW && mode != GL_CCW) {
        fail(GL_INVALID_ENUM, describe("glFrontFace", mode));
        return;
    }
    live.frontFace = mode;
}

void Context::cullFace(GLenum mode) {
    if (!outsideBeginEnd("glCullFace"))
        return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) {
        fail(GL_INVALID_ENUM, describe("glCullFace", mode));
        return;
    }
    live.cullFaceMode = mode;
}

void Context::fog(const char* name, GLenum pname, const float values[4], int) {
    if (!outsideBeginEnd(name))
        return;
    switch (pname) {
    case GL_FOG_MODE: {
        const auto mode = static_cast<GLint>(values[0]);
        if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) {
            fail(GL_INVALID_ENUM, describe("GL_FOG_MODE", mode));
            return;
        }
        live.fogMode = mode;
        return;
    }
    case GL_FOG_DENSITY:
        if (values[0] < 0) {
            fail(GL_INVALID_VALUE, "negative GL_FOG_DENSITY");
            return;
        }
        live.fogDensity = values[0];
        return;
    case GL_FOG_START:
        live.fogStart = values[0];
        return;
    case GL_FOG_END:
        live.fogEnd = values[0];
        return;
    case GL_FOG_INDEX:
        return;
    case GL_FOG_COLOR:
        // Mesa takes the scalar forms too, as (param, 0, 0, 0).
        live.fogColor = {clamp01(values[0]), clamp01(values[1]), clamp01(values[2]),
                         clamp01(values[3])};
        return;
    default:
        fail(GL_INVALID_ENUM, describe(name, pname));
    }
}

void Context::flush(const char* name, bool finish) {
    if (outsideBeginEnd(name))
        out.flush(finish);
}

}  // namespace webgl
