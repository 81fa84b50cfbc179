// RecordingContext: bookkeeping, errors, enables, matrix and attribute stacks
// and primitive collection of the recording GL.
#include "tests/support/RecordingContext.h"

#include "tests/support/RecordingAttribs.h"

#include <algorithm>
#include <cstdio>

RecordingContext& RecordingContext::instance() {
    static RecordingContext context;
    return context;
}

void RecordingContext::reset() {
    state = recgl::State();
    state.enabledCaps = {GL_DITHER};  // the one capability on in a fresh context
    state.viewport = {0, 0, initialWidth, initialHeight};
    callLog.clear();
    primitiveLog.clear();
    misuseLog.clear();
    textures.clear();
    defaultTexture = recgl::Texture();
    nextTextureName = 1;
    failNextGen = false;
    powerOfTwoOnly = false;
    error = GL_NO_ERROR;
    modelview.assign(1, RecordingMatrix());
    projection.assign(1, RecordingMatrix());
    textureStack.assign(1, RecordingMatrix());
    attribStack.clear();
    openPrimitive = recgl::Primitive();
    syncDepths();
}

bool RecordingContext::enter(const char* name, std::initializer_list<double> args) {
    return enter(name, std::vector<double>(args));
}

bool RecordingContext::enter(const char* name, std::vector<double> args) {
    callLog.push_back({name, std::move(args)});
    if (state.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, std::string(name) + " between glBegin and glEnd");
        return false;
    }
    return true;
}

void RecordingContext::enterAnywhere(const char* name, std::vector<double> args) {
    callLog.push_back({name, std::move(args)});
}

void RecordingContext::fail(GLenum newError, const std::string& what) {
    misuseLog.push_back(what);
    if (error == GL_NO_ERROR)
        error = newError;
}

void RecordingContext::note(const std::string& what) { misuseLog.push_back(what); }

GLenum RecordingContext::takeError() {
    const GLenum result = error;
    error = GL_NO_ERROR;
    return result;
}

std::string RecordingContext::describe(const char* what, GLenum value) {
    char number[16];
    std::snprintf(number, sizeof number, " 0x%04x", static_cast<unsigned>(value));
    return what + std::string(number);
}

bool RecordingContext::isCapability(GLenum cap) {
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

void RecordingContext::setEnabled(GLenum cap, bool on) {
    auto& caps = state.enabledCaps;
    auto it = std::find(caps.begin(), caps.end(), cap);
    if (on && it == caps.end())
        caps.push_back(cap);
    else if (!on && it != caps.end())
        caps.erase(it);
}

bool RecordingContext::enabled(GLenum cap) const {
    return std::find(state.enabledCaps.begin(), state.enabledCaps.end(), cap) !=
           state.enabledCaps.end();
}

std::vector<RecordingMatrix>& RecordingContext::stack(GLenum mode) {
    if (mode == GL_PROJECTION)
        return projection;
    if (mode == GL_TEXTURE)
        return textureStack;
    return modelview;
}

const std::vector<RecordingMatrix>& RecordingContext::stack(GLenum mode) const {
    return const_cast<RecordingContext*>(this)->stack(mode);
}

int RecordingContext::stackLimit(GLenum mode) const {
    if (mode == GL_PROJECTION)
        return maxProjectionDepth;
    if (mode == GL_TEXTURE)
        return maxTextureDepth;
    return maxModelviewDepth;
}

void RecordingContext::multiply(const RecordingMatrix& by) { current() = current() * by; }

void RecordingContext::pushMatrix() {
    auto& matrices = stack(state.matrixMode);
    if (static_cast<int>(matrices.size()) >= stackLimit(state.matrixMode)) {
        fail(GL_STACK_OVERFLOW, "glPushMatrix overflows the matrix stack");
        return;
    }
    matrices.push_back(matrices.back());
    syncDepths();
}

void RecordingContext::popMatrix() {
    auto& matrices = stack(state.matrixMode);
    if (matrices.size() <= 1) {
        fail(GL_STACK_UNDERFLOW, "glPopMatrix underflows the matrix stack");
        return;
    }
    matrices.pop_back();
    syncDepths();
}

void RecordingContext::syncDepths() {
    state.modelviewDepth = static_cast<int>(modelview.size());
    state.projectionDepth = static_cast<int>(projection.size());
    state.textureDepth = static_cast<int>(textureStack.size());
    state.attribDepth = static_cast<int>(attribStack.size());
}

void RecordingContext::pushAttrib(GLbitfield mask) {
    if (static_cast<int>(attribStack.size()) >= maxAttribDepth) {
        fail(GL_STACK_OVERFLOW, "glPushAttrib overflows the attribute stack");
        return;
    }
    attribStack.emplace_back(mask, state);
    syncDepths();
}

void RecordingContext::popAttrib() {
    if (attribStack.empty()) {
        fail(GL_STACK_UNDERFLOW, "glPopAttrib underflows the attribute stack");
        return;
    }
    const auto saved = attribStack.back();
    attribStack.pop_back();
    RecordingAttribs::restore(state, saved.second, saved.first);
    syncDepths();
}

void RecordingContext::begin(GLenum mode) {
    if (state.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, "glBegin inside glBegin/glEnd");
        return;
    }
    if (mode > GL_POLYGON) {
        fail(GL_INVALID_ENUM, "glBegin with an unknown primitive mode");
        return;
    }
    state.insideBeginEnd = true;
    openPrimitive = recgl::Primitive();
    openPrimitive.mode = mode;
}

void RecordingContext::end() {
    if (!state.insideBeginEnd) {
        fail(GL_INVALID_OPERATION, "glEnd without glBegin");
        return;
    }
    state.insideBeginEnd = false;
    primitiveLog.push_back(std::move(openPrimitive));
    openPrimitive = recgl::Primitive();
}

void RecordingContext::vertex(float x, float y, float z, float w) {
    if (!state.insideBeginEnd) {
        // Undefined in GL rather than an error, but never what the demo means.
        note("glVertex outside glBegin/glEnd");
        return;
    }
    recgl::Vertex v;
    v.object = {x, y, z, w};
    v.eye = modelview.back().apply(v.object);
    v.color = state.color;
    v.texCoord = state.texCoord;
    openPrimitive.vertices.push_back(v);
}

recgl::Texture& RecordingContext::boundTexture() {
    if (recgl::Texture* bound = findTexture(state.boundTexture2D))
        return *bound;
    return defaultTexture;
}

recgl::Texture* RecordingContext::findTexture(GLuint name) {
    auto it = textures.find(name);
    return it == textures.end() ? nullptr : &it->second;
}
