// Context: errors, enables, the matrix and attribute stacks and the
// glBegin/glEnd bracket of the GL state model.
#include "webgl/Context.h"

#include "webgl/AttribGroups.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace webgl {

void Backend::readPixels(GLint, GLint, GLsizei, GLsizei height, GLenum, GLenum,
                         std::size_t stride, std::size_t rowBytes, void* pixels) {
    std::memset(pixels, 0, stride * (height - 1) + rowBytes);
}

void Backend::readTexture(GLuint, GLsizei, GLsizei height, GLenum, GLenum, std::size_t stride,
                          std::size_t rowBytes, void* pixels) {
    std::memset(pixels, 0, stride * (height - 1) + rowBytes);
}

Context::Context(Backend& backend, Strings strings) : out(backend), strings(strings) { reset(); }

void Context::reset() {
    live = State();
    live.enabledCaps = {GL_DITHER};  // the one capability on in a fresh context
    live.viewport = {0, 0, initialWidth, initialHeight};
    live.scissorBox = {0, 0, initialWidth, initialHeight};
    objects.clear();
    defaultTexture = Texture();
    nextTextureName = 1;
    error = GL_NO_ERROR;
    modelview.assign(1, Matrix());
    projectionStack.assign(1, Matrix());
    textureStack.assign(1, Matrix());
    attribStack.clear();
    openMode = 0;
    open.clear();
    syncDepths();
}

bool Context::outsideBeginEnd(const char* name) {
    if (live.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, std::string(name) + " between glBegin and glEnd");
        return false;
    }
    return true;
}

void Context::fail(GLenum newError, const std::string& what) {
    out.misuse(what);
    if (error == GL_NO_ERROR)
        error = newError;
}

void Context::note(const std::string& what) { out.misuse(what); }

std::string Context::describe(const char* what, GLenum value) {
    char number[16];
    std::snprintf(number, sizeof number, " 0x%04x", static_cast<unsigned>(value));
    return what + std::string(number);
}

bool Context::isCapability(GLenum cap) {
    switch (cap) {
    case GL_ALPHA_TEST: case GL_AUTO_NORMAL: case GL_BLEND: case GL_COLOR_LOGIC_OP:
    case GL_COLOR_MATERIAL: case GL_CULL_FACE: case GL_DEPTH_TEST: case GL_DITHER:
    case GL_FOG: case GL_INDEX_LOGIC_OP: case GL_LIGHTING: case GL_LINE_SMOOTH:
    case GL_LINE_STIPPLE: case GL_MAP1_COLOR_4: case GL_MAP1_INDEX: case GL_MAP1_NORMAL:
    case GL_MAP1_TEXTURE_COORD_1: case GL_MAP1_TEXTURE_COORD_2: case GL_MAP1_TEXTURE_COORD_3:
    case GL_MAP1_TEXTURE_COORD_4: case GL_MAP1_VERTEX_3: case GL_MAP1_VERTEX_4:
    case GL_MAP2_COLOR_4: case GL_MAP2_INDEX: case GL_MAP2_NORMAL:
    case GL_MAP2_TEXTURE_COORD_1: case GL_MAP2_TEXTURE_COORD_2: case GL_MAP2_TEXTURE_COORD_3:
    case GL_MAP2_TEXTURE_COORD_4: case GL_MAP2_VERTEX_3: case GL_MAP2_VERTEX_4:
    case GL_NORMALIZE: case GL_POINT_SMOOTH: case GL_POLYGON_OFFSET_FILL:
    case GL_POLYGON_OFFSET_LINE: case GL_POLYGON_OFFSET_POINT: case GL_POLYGON_SMOOTH:
    case GL_POLYGON_STIPPLE: case GL_SCISSOR_TEST: case GL_STENCIL_TEST: case GL_TEXTURE_1D:
    case GL_TEXTURE_2D: case GL_TEXTURE_GEN_Q: case GL_TEXTURE_GEN_R: case GL_TEXTURE_GEN_S:
    case GL_TEXTURE_GEN_T:
        return true;
    default:
        return (cap >= GL_LIGHT0 && cap <= GL_LIGHT7) ||
               (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5);
    }
}

void Context::setEnabled(GLenum cap, bool on) {
    auto& caps = live.enabledCaps;
    auto it = std::find(caps.begin(), caps.end(), cap);
    if (on && it == caps.end())
        caps.push_back(cap);
    else if (!on && it != caps.end())
        caps.erase(it);
}

bool Context::enabled(GLenum cap) const {
    return std::find(live.enabledCaps.begin(), live.enabledCaps.end(), cap) !=
           live.enabledCaps.end();
}

void Context::enable(const char* name, GLenum cap, bool on) {
    if (!outsideBeginEnd(name))
        return;
    if (!isCapability(cap)) {
        fail(GL_INVALID_ENUM, describe(name, cap));
        return;
    }
    setEnabled(cap, on);
}

std::vector<Matrix>& Context::stack(GLenum mode) {
    if (mode == GL_PROJECTION)
        return projectionStack;
    if (mode == GL_TEXTURE)
        return textureStack;
    return modelview;
}

const std::vector<Matrix>& Context::stack(GLenum mode) const {
    return const_cast<Context*>(this)->stack(mode);
}

int Context::stackLimit(GLenum mode) const {
    if (mode == GL_PROJECTION)
        return maxProjectionDepth;
    if (mode == GL_TEXTURE)
        return maxTextureDepth;
    return maxModelviewDepth;
}

void Context::pushMatrix() {
    if (!outsideBeginEnd("glPushMatrix"))
        return;
    auto& matrices = stack(live.matrixMode);
    if (static_cast<int>(matrices.size()) >= stackLimit(live.matrixMode)) {
        fail(GL_STACK_OVERFLOW, "glPushMatrix overflows the matrix stack");
        return;
    }
    matrices.push_back(matrices.back());
    syncDepths();
}

void Context::popMatrix() {
    if (!outsideBeginEnd("glPopMatrix"))
        return;
    auto& matrices = stack(live.matrixMode);
    if (matrices.size() <= 1) {
        fail(GL_STACK_UNDERFLOW, "glPopMatrix underflows the matrix stack");
        return;
    }
    matrices.pop_back();
    syncDepths();
}

void Context::syncDepths() {
    live.modelviewDepth = static_cast<int>(modelview.size());
    live.projectionDepth = static_cast<int>(projectionStack.size());
    live.textureDepth = static_cast<int>(textureStack.size());
    live.attribDepth = static_cast<int>(attribStack.size());
}

void Context::pushAttrib(GLbitfield mask) {
    if (!outsideBeginEnd("glPushAttrib"))
        return;
    if (static_cast<int>(attribStack.size()) >= maxAttribDepth) {
        fail(GL_STACK_OVERFLOW, "glPushAttrib overflows the attribute stack");
        return;
    }
    attribStack.emplace_back(mask, live);
    syncDepths();
}

void Context::popAttrib() {
    if (!outsideBeginEnd("glPopAttrib"))
        return;
    if (attribStack.empty()) {
        fail(GL_STACK_UNDERFLOW, "glPopAttrib underflows the attribute stack");
        return;
    }
    const auto saved = std::move(attribStack.back());
    attribStack.pop_back();
    AttribGroups::restore(live, saved.second, saved.first);
    syncDepths();
}

void Context::begin(GLenum mode) {
    if (live.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, "glBegin inside glBegin/glEnd");
        return;
    }
    if (mode > GL_POLYGON) {
        fail(GL_INVALID_ENUM, "glBegin with an unknown primitive mode");
        return;
    }
    live.insideBeginEnd = true;
    openMode = mode;
    open.clear();
}

void Context::end() {
    if (!live.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, "glEnd without glBegin");
        return;
    }
    live.insideBeginEnd = false;
    out.primitive(openMode, open);
    open.clear();
}

const Texture& Context::boundTexture() const {
    if (const Texture* texture = findTexture(live.boundTexture2D))
        return *texture;
    return defaultTexture;
}

Texture& Context::bound() { return const_cast<Texture&>(boundTexture()); }

const Texture* Context::findTexture(GLuint name) const {
    auto it = objects.find(name);
    return it == objects.end() ? nullptr : &it->second;
}

}  // namespace webgl
