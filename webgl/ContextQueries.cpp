// Context: the queries — glGet* answered from the model's state, glGetError,
// glGetString, pixel storage and the read-backs, whose pixels come from the
// backend.
#include "webgl/Context.h"

#include <cstring>

namespace webgl {

namespace {

int componentsOf(GLenum format) {
    switch (format) {
    case GL_RGBA: case GL_BGRA: return 4;
    case GL_RGB: case GL_BGR: return 3;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_RED: case GL_GREEN: case GL_BLUE: case GL_ALPHA: case GL_LUMINANCE:
    case GL_DEPTH_COMPONENT: case GL_STENCIL_INDEX:
        return 1;
    default:
        return 0;
    }
}

int bytesOf(GLenum type) {
    switch (type) {
    case GL_UNSIGNED_BYTE: case GL_BYTE: return 1;
    case GL_UNSIGNED_SHORT: case GL_SHORT: return 2;
    case GL_UNSIGNED_INT: case GL_INT: case GL_FLOAT: return 4;
    default: return 0;
    }
}

std::size_t packedStride(std::size_t rowBytes, GLint alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    return (rowBytes + align - 1) / align * align;
}

}  // namespace

bool Context::lookup(GLenum pname, std::vector<double>& out, bool& normalized) const {
    const State& s = live;
    normalized = false;
    auto four = [&](const auto& values) { out.assign(values.begin(), values.end()); };
    auto matrix = [&](GLenum mode) { four(top(mode).m); };
    if (isCapability(pname)) {
        out = {enabled(pname) ? 1.0 : 0.0};
        return true;
    }
    switch (pname) {
    case GL_VIEWPORT: four(s.viewport); return true;
    case GL_SCISSOR_BOX: four(s.scissorBox); return true;
    case GL_POLYGON_MODE: out = {double(s.polygonModeFront), double(s.polygonModeBack)}; return true;
    case GL_BLEND_SRC: out = {double(s.blendSrc)}; return true;
    case GL_BLEND_DST: out = {double(s.blendDst)}; return true;
    case GL_DEPTH_FUNC: out = {double(s.depthFunc)}; return true;
    case GL_DEPTH_WRITEMASK: out = {s.depthMask ? 1.0 : 0.0}; return true;
    case GL_FRONT_FACE: out = {double(s.frontFace)}; return true;
    case GL_CULL_FACE_MODE: out = {double(s.cullFaceMode)}; return true;
    case GL_SHADE_MODEL: out = {double(s.shadeModel)}; return true;
    case GL_MATRIX_MODE: out = {double(s.matrixMode)}; return true;
    case GL_POINT_SIZE: out = {s.pointSize}; return true;
    case GL_LINE_WIDTH: out = {s.lineWidth}; return true;
    case GL_TEXTURE_BINDING_2D: out = {double(s.boundTexture2D)}; return true;
    case GL_CURRENT_TEXTURE_COORDS: out = {s.texCoord[0], s.texCoord[1], 0, 1}; return true;
    case GL_CURRENT_NORMAL: four(s.normal); return true;
    case GL_FOG_MODE: out = {double(s.fogMode)}; return true;
    case GL_FOG_DENSITY: out = {s.fogDensity}; return true;
    case GL_FOG_START: out = {s.fogStart}; return true;
    case GL_FOG_END: out = {s.fogEnd}; return true;
    case GL_FOG_INDEX: out = {0}; return true;
    case GL_MODELVIEW_STACK_DEPTH: out = {double(s.modelviewDepth)}; return true;
    case GL_PROJECTION_STACK_DEPTH: out = {double(s.projectionDepth)}; return true;
    case GL_TEXTURE_STACK_DEPTH: out = {double(s.textureDepth)}; return true;
    case GL_ATTRIB_STACK_DEPTH: out = {double(s.attribDepth)}; return true;
    case GL_MAX_MODELVIEW_STACK_DEPTH: out = {maxModelviewDepth}; return true;
    case GL_MAX_PROJECTION_STACK_DEPTH: out = {maxProjectionDepth}; return true;
    case GL_MAX_TEXTURE_STACK_DEPTH: out = {maxTextureDepth}; return true;
    case GL_MAX_ATTRIB_STACK_DEPTH: out = {maxAttribDepth}; return true;
    case GL_MAX_TEXTURE_SIZE: out = {maxTextureSize}; return true;
    case GL_MAX_VIEWPORT_DIMS: out = {maxTextureSize, maxTextureSize}; return true;
    case GL_MODELVIEW_MATRIX: matrix(GL_MODELVIEW); return true;
    case GL_PROJECTION_MATRIX: matrix(GL_PROJECTION); return true;
    case GL_TEXTURE_MATRIX: matrix(GL_TEXTURE); return true;
    case GL_READ_BUFFER: out = {double(s.readBuffer)}; return true;
    case GL_PACK_ALIGNMENT: out = {double(s.packAlignment)}; return true;
    case GL_UNPACK_ALIGNMENT: out = {double(s.unpackAlignment)}; return true;
    case GL_RGBA_MODE: case GL_DOUBLEBUFFER: out = {1}; return true;
    case GL_PERSPECTIVE_CORRECTION_HINT: case GL_POINT_SMOOTH_HINT: case GL_LINE_SMOOTH_HINT:
    case GL_POLYGON_SMOOTH_HINT: case GL_FOG_HINT: {
        auto it = s.hints.find(pname);
        out = {double(it == s.hints.end() ? GLenum(GL_DONT_CARE) : it->second)};
        return true;
    }
    default:
        break;
    }
    normalized = true;
    switch (pname) {
    case GL_CURRENT_COLOR: four(s.color); return true;
    case GL_COLOR_CLEAR_VALUE: four(s.clearColor); return true;
    case GL_FOG_COLOR: four(s.fogColor); return true;
    case GL_DEPTH_CLEAR_VALUE: out = {s.clearDepth}; return true;
    case GL_DEPTH_RANGE: four(s.depthRange); return true;
    default:
        return false;
    }
}

bool Context::get(const char* name, GLenum pname, std::vector<double>& values, bool& normalized) {
    if (!outsideBeginEnd(name))
        return false;
    if (!lookup(pname, values, normalized)) {
        fail(GL_INVALID_ENUM, describe(name, pname));
        return false;
    }
    return true;
}

GLenum Context::getError() {
    if (!outsideBeginEnd("glGetError"))
        return GL_NO_ERROR;
    const GLenum result = error;
    error = GL_NO_ERROR;
    return result;
}

bool Context::isEnabled(GLenum cap) {
    if (!outsideBeginEnd("glIsEnabled"))
        return false;
    if (!isCapability(cap)) {
        fail(GL_INVALID_ENUM, describe("glIsEnabled", cap));
        return false;
    }
    return enabled(cap);
}

bool Context::getTexEnv(GLenum target, GLenum pname, GLint* params) {
    if (!outsideBeginEnd("glGetTexEnviv"))
        return false;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        fail(GL_INVALID_ENUM, describe("glGetTexEnviv", pname));
        return false;
    }
    params[0] = live.texEnvMode;
    return true;
}

void Context::getTexParameter(GLenum target, GLenum pname, GLint* params) {
    if (!outsideBeginEnd("glGetTexParameteriv"))
        return;
    const Texture& t = boundTexture();
    if (target == GL_TEXTURE_2D) {
        switch (pname) {
        case GL_TEXTURE_MIN_FILTER: params[0] = GLint(t.minFilter); return;
        case GL_TEXTURE_MAG_FILTER: params[0] = GLint(t.magFilter); return;
        case GL_TEXTURE_WRAP_S: params[0] = GLint(t.wrapS); return;
        case GL_TEXTURE_WRAP_T: params[0] = GLint(t.wrapT); return;
        default: break;
        }
    }
    fail(GL_INVALID_ENUM, describe("glGetTexParameteriv", pname));
}

void Context::getTexLevelParameter(GLenum target, GLint level, GLenum pname, GLint* params) {
    if (!outsideBeginEnd("glGetTexLevelParameteriv"))
        return;
    if (target != GL_TEXTURE_2D || level < 0) {
        fail(GL_INVALID_ENUM, describe("glGetTexLevelParameteriv", target));
        return;
    }
    const Texture& t = boundTexture();
    const bool has = level == 0 && t.hasImage;
    switch (pname) {
    case GL_TEXTURE_WIDTH: params[0] = has ? t.width : 0; return;
    case GL_TEXTURE_HEIGHT: params[0] = has ? t.height : 0; return;
    case GL_TEXTURE_INTERNAL_FORMAT: params[0] = has ? t.internalFormat : 1; return;
    default:
        fail(GL_INVALID_ENUM, describe("glGetTexLevelParameteriv", pname));
    }
}

void Context::pixelStore(GLenum pname, GLint param) {
    if (!outsideBeginEnd("glPixelStorei"))
        return;
    if (pname == GL_PACK_ALIGNMENT || pname == GL_UNPACK_ALIGNMENT) {
        if (param != 1 && param != 2 && param != 4 && param != 8) {
            fail(GL_INVALID_VALUE, "glPixelStorei alignment not 1, 2, 4 or 8");
            return;
        }
        (pname == GL_PACK_ALIGNMENT ? live.packAlignment : live.unpackAlignment) = param;
    }
}

void Context::readBuffer(GLenum mode) {
    if (!outsideBeginEnd("glReadBuffer"))
        return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_LEFT && mode != GL_BACK_LEFT &&
        mode != GL_LEFT) {
        fail(GL_INVALID_ENUM, describe("glReadBuffer", mode));
        return;
    }
    live.readBuffer = mode;
}

// Hands back the kept bytes when they were RGBA / GL_UNSIGNED_BYTE both
// ways, else what the backend reads from the texture.
void Context::getTexImage(GLenum target, GLint level, GLenum format, GLenum type, void* pixels) {
    if (!outsideBeginEnd("glGetTexImage"))
        return;
    const int pixelBytes = componentsOf(format) * bytesOf(type);
    if (target != GL_TEXTURE_2D || pixelBytes == 0) {
        fail(GL_INVALID_ENUM, "glGetTexImage with an unknown target, format or type");
        return;
    }
    const Texture& t = boundTexture();
    if (level != 0 || !t.hasImage || t.width == 0 || t.height == 0)
        return;
    const std::size_t rowBytes = std::size_t(t.width) * pixelBytes;
    const std::size_t stride = packedStride(rowBytes, live.packAlignment);
    if (format == GL_RGBA && type == GL_UNSIGNED_BYTE && !t.pixels.empty()) {
        for (GLsizei row = 0; row < t.height; ++row)
            std::memcpy(static_cast<std::uint8_t*>(pixels) + row * stride,
                        t.pixels.data() + std::size_t(row) * rowBytes, rowBytes);
        return;
    }
    out.readTexture(live.boundTexture2D, t.width, t.height, format, type, stride, rowBytes, pixels);
}

void Context::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                         GLenum type, void* pixels) {
    if (!outsideBeginEnd("glReadPixels"))
        return;
    if (width < 0 || height < 0) {
        fail(GL_INVALID_VALUE, "glReadPixels with a negative size");
        return;
    }
    const int pixelBytes = componentsOf(format) * bytesOf(type);
    if (pixelBytes == 0) {
        fail(GL_INVALID_ENUM, "glReadPixels with an unknown format or type");
        return;
    }
    if (width == 0 || height == 0)
        return;
    const std::size_t rowBytes = std::size_t(width) * pixelBytes;
    out.readPixels(x, y, width, height, format, type, packedStride(rowBytes, live.packAlignment),
                   rowBytes, pixels);
}

const GLubyte* Context::getString(GLenum name) {
    if (!outsideBeginEnd("glGetString"))
        return nullptr;
    const char* text = nullptr;
    switch (name) {
    case GL_VENDOR: text = strings.vendor; break;
    case GL_RENDERER: text = strings.renderer; break;
    case GL_VERSION: text = strings.version; break;
    case GL_EXTENSIONS: text = ""; break;
    default:
        fail(GL_INVALID_ENUM, describe("glGetString", name));
        return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

}  // namespace webgl
