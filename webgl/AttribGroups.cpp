// AttribGroups: the OpenGL 1.1 attribute groups, as far as the state the
// context keeps goes.
#include "webgl/AttribGroups.h"

#include <algorithm>

namespace webgl {

namespace {

void copyEnable(State& live, const State& saved, GLenum cap) {
    auto& caps = live.enabledCaps;
    const bool wasOn =
        std::find(saved.enabledCaps.begin(), saved.enabledCaps.end(), cap) != saved.enabledCaps.end();
    auto it = std::find(caps.begin(), caps.end(), cap);
    if (wasOn && it == caps.end())
        caps.push_back(cap);
    else if (!wasOn && it != caps.end())
        caps.erase(it);
}

bool isLight(GLenum cap) { return cap >= GL_LIGHT0 && cap <= GL_LIGHT7; }
bool isClipPlane(GLenum cap) { return cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5; }

}  // namespace

bool AttribGroups::capabilityInGroup(GLenum cap, GLbitfield group) {
    switch (group) {
    case GL_POINT_BIT:
        return cap == GL_POINT_SMOOTH;
    case GL_LINE_BIT:
        return cap == GL_LINE_SMOOTH || cap == GL_LINE_STIPPLE;
    case GL_POLYGON_BIT:
        return cap == GL_CULL_FACE || cap == GL_POLYGON_SMOOTH || cap == GL_POLYGON_STIPPLE ||
               cap == GL_POLYGON_OFFSET_FILL || cap == GL_POLYGON_OFFSET_LINE ||
               cap == GL_POLYGON_OFFSET_POINT;
    case GL_DEPTH_BUFFER_BIT:
        return cap == GL_DEPTH_TEST;
    case GL_FOG_BIT:
        return cap == GL_FOG;
    case GL_COLOR_BUFFER_BIT:
        return cap == GL_ALPHA_TEST || cap == GL_BLEND || cap == GL_DITHER ||
               cap == GL_COLOR_LOGIC_OP || cap == GL_INDEX_LOGIC_OP;
    case GL_TEXTURE_BIT:
        return cap == GL_TEXTURE_1D || cap == GL_TEXTURE_2D || cap == GL_TEXTURE_GEN_S ||
               cap == GL_TEXTURE_GEN_T || cap == GL_TEXTURE_GEN_R || cap == GL_TEXTURE_GEN_Q;
    case GL_LIGHTING_BIT:
        return cap == GL_LIGHTING || cap == GL_COLOR_MATERIAL || isLight(cap);
    case GL_TRANSFORM_BIT:
        return cap == GL_NORMALIZE || isClipPlane(cap);
    case GL_SCISSOR_BIT:
        return cap == GL_SCISSOR_TEST;
    case GL_STENCIL_BUFFER_BIT:
        return cap == GL_STENCIL_TEST;
    default:
        return false;
    }
}

void AttribGroups::restore(State& live, const State& saved, GLbitfield mask) {
    if (mask & GL_ENABLE_BIT)
        live.enabledCaps = saved.enabledCaps;

    // Each group's own enable flags come back with the group.
    static const GLbitfield groupsWithCaps[] = {
        GL_POINT_BIT, GL_LINE_BIT, GL_POLYGON_BIT, GL_DEPTH_BUFFER_BIT, GL_FOG_BIT,
        GL_COLOR_BUFFER_BIT, GL_TEXTURE_BIT, GL_LIGHTING_BIT, GL_TRANSFORM_BIT,
        GL_SCISSOR_BIT, GL_STENCIL_BUFFER_BIT,
    };
    std::vector<GLenum> candidates = live.enabledCaps;
    candidates.insert(candidates.end(), saved.enabledCaps.begin(), saved.enabledCaps.end());
    for (GLbitfield group : groupsWithCaps) {
        if (!(mask & group))
            continue;
        for (GLenum cap : candidates)
            if (capabilityInGroup(cap, group))
                copyEnable(live, saved, cap);
    }

    if (mask & GL_CURRENT_BIT) {
        live.color = saved.color;
        live.texCoord = saved.texCoord;
        live.normal = saved.normal;
    }
    if (mask & GL_POINT_BIT)
        live.pointSize = saved.pointSize;
    if (mask & GL_LINE_BIT)
        live.lineWidth = saved.lineWidth;
    if (mask & GL_POLYGON_BIT) {
        live.polygonModeFront = saved.polygonModeFront;
        live.polygonModeBack = saved.polygonModeBack;
        live.frontFace = saved.frontFace;
        live.cullFaceMode = saved.cullFaceMode;
    }
    if (mask & GL_DEPTH_BUFFER_BIT) {
        live.depthFunc = saved.depthFunc;
        live.clearDepth = saved.clearDepth;
        live.depthMask = saved.depthMask;
    }
    if (mask & GL_HINT_BIT)
        live.hints = saved.hints;
    if (mask & GL_FOG_BIT) {
        live.fogMode = saved.fogMode;
        live.fogColor = saved.fogColor;
        live.fogDensity = saved.fogDensity;
        live.fogStart = saved.fogStart;
        live.fogEnd = saved.fogEnd;
    }
    if (mask & GL_COLOR_BUFFER_BIT) {
        live.blendSrc = saved.blendSrc;
        live.blendDst = saved.blendDst;
        live.clearColor = saved.clearColor;
    }
    if (mask & GL_VIEWPORT_BIT) {
        live.viewport = saved.viewport;
        live.depthRange = saved.depthRange;
    }
    if (mask & GL_TEXTURE_BIT) {
        live.boundTexture2D = saved.boundTexture2D;
        live.texEnvMode = saved.texEnvMode;
    }
    if (mask & GL_SCISSOR_BIT)
        live.scissorBox = saved.scissorBox;
    if (mask & GL_TRANSFORM_BIT)
        live.matrixMode = saved.matrixMode;
    if (mask & GL_LIGHTING_BIT)
        live.shadeModel = saved.shadeModel;
}

}  // namespace webgl
