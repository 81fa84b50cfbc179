// The recording GL's query entry points: glGet* answered from the recorded
// state with GL's type conversions, glGetError, glGetString and a
// glReadPixels that hands back zeros.
#include <GL/gl.h>

#include "tests/support/RecordingContext.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

RecordingContext& gl() { return RecordingContext::instance(); }

enum class Kind { plain, normalized };

void matrixValues(GLenum mode, std::vector<double>& out) {
    const auto& m = gl().stack(mode).back().m;
    out.assign(m.begin(), m.end());
}

// The values of a state variable; false for a name the recording GL does not know.
bool lookup(GLenum pname, std::vector<double>& out, Kind& kind) {
    const recgl::State& s = gl().state;
    kind = Kind::plain;
    auto four = [&](const auto& values) { out.assign(values.begin(), values.end()); };
    if (RecordingContext::isCapability(pname)) {
        out = {gl().enabled(pname) ? 1.0 : 0.0};
        return true;
    }
    switch (pname) {
    case GL_VIEWPORT: four(s.viewport); return true;
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
    case GL_MAX_MODELVIEW_STACK_DEPTH: out = {RecordingContext::maxModelviewDepth}; return true;
    case GL_MAX_PROJECTION_STACK_DEPTH: out = {RecordingContext::maxProjectionDepth}; return true;
    case GL_MAX_TEXTURE_STACK_DEPTH: out = {RecordingContext::maxTextureDepth}; return true;
    case GL_MAX_ATTRIB_STACK_DEPTH: out = {RecordingContext::maxAttribDepth}; return true;
    case GL_MAX_TEXTURE_SIZE: out = {RecordingContext::maxTextureSize}; return true;
    case GL_MAX_VIEWPORT_DIMS:
        out = {RecordingContext::maxTextureSize, RecordingContext::maxTextureSize};
        return true;
    case GL_MODELVIEW_MATRIX: matrixValues(GL_MODELVIEW, out); return true;
    case GL_PROJECTION_MATRIX: matrixValues(GL_PROJECTION, out); return true;
    case GL_TEXTURE_MATRIX: matrixValues(GL_TEXTURE, out); return true;
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
    kind = Kind::normalized;
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

template <typename T, typename Convert>
void get(const char* name, GLenum pname, T* params, Convert convert) {
    if (!gl().enter(name, {double(pname)}))
        return;
    std::vector<double> values;
    Kind kind;
    if (!lookup(pname, values, kind)) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, pname));
        return;
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        params[i] = convert(values[i], kind);
}

GLint toInteger(double v, Kind kind) {
    if (kind == Kind::normalized) {
        // Outside [-1, 1] Mesa's conversion overflows, which on x86 gives
        // INT_MIN; an out-of-range colour shows up the same way here.
        const double scaled = v * 2147483647.0;
        if (scaled > 2147483647.0 || scaled < -2147483648.0)
            return std::numeric_limits<GLint>::min();
        return static_cast<GLint>(scaled);
    }
    return static_cast<GLint>(std::lround(v));
}

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

}  // namespace

extern "C" {

GLenum glGetError(void) {
    if (!gl().enter("glGetError", {}))
        return GL_NO_ERROR;
    return gl().takeError();
}

GLboolean glIsEnabled(GLenum cap) {
    if (!gl().enter("glIsEnabled", {double(cap)}))
        return GL_FALSE;
    if (!RecordingContext::isCapability(cap)) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glIsEnabled", cap));
        return GL_FALSE;
    }
    return gl().enabled(cap) ? GL_TRUE : GL_FALSE;
}

void glGetIntegerv(GLenum pname, GLint* params) { get("glGetIntegerv", pname, params, toInteger); }

void glGetFloatv(GLenum pname, GLfloat* params) {
    get("glGetFloatv", pname, params, [](double v, Kind) { return static_cast<GLfloat>(v); });
}

void glGetDoublev(GLenum pname, GLdouble* params) {
    get("glGetDoublev", pname, params, [](double v, Kind) { return v; });
}

void glGetBooleanv(GLenum pname, GLboolean* params) {
    get("glGetBooleanv", pname, params,
        [](double v, Kind) -> GLboolean { return v != 0 ? GL_TRUE : GL_FALSE; });
}

void glGetTexEnviv(GLenum target, GLenum pname, GLint* params) {
    if (!gl().enter("glGetTexEnviv", {double(target), double(pname)}))
        return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glGetTexEnviv", pname));
        return;
    }
    params[0] = gl().state.texEnvMode;
}

void glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
    if (!gl().enter("glGetTexParameteriv", {double(target), double(pname)}))
        return;
    const recgl::Texture& t = gl().boundTexture();
    if (target == GL_TEXTURE_2D) {
        switch (pname) {
        case GL_TEXTURE_MIN_FILTER: params[0] = GLint(t.minFilter); return;
        case GL_TEXTURE_MAG_FILTER: params[0] = GLint(t.magFilter); return;
        case GL_TEXTURE_WRAP_S: params[0] = GLint(t.wrapS); return;
        case GL_TEXTURE_WRAP_T: params[0] = GLint(t.wrapT); return;
        default: break;
        }
    }
    gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glGetTexParameteriv", pname));
}

void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
    if (!gl().enter("glGetTexLevelParameteriv", {double(target), double(level), double(pname)}))
        return;
    if (target != GL_TEXTURE_2D || level < 0) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glGetTexLevelParameteriv", target));
        return;
    }
    const recgl::Texture& t = gl().boundTexture();
    const bool has = level == 0 && t.hasImage;
    switch (pname) {
    case GL_TEXTURE_WIDTH: params[0] = has ? t.width : 0; return;
    case GL_TEXTURE_HEIGHT: params[0] = has ? t.height : 0; return;
    case GL_TEXTURE_INTERNAL_FORMAT: params[0] = has ? t.internalFormat : 1; return;
    default:
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glGetTexLevelParameteriv", pname));
    }
}

void glPixelStorei(GLenum pname, GLint param) {
    if (!gl().enter("glPixelStorei", {double(pname), double(param)}))
        return;
    if (pname == GL_PACK_ALIGNMENT || pname == GL_UNPACK_ALIGNMENT) {
        if (param != 1 && param != 2 && param != 4 && param != 8) {
            gl().fail(GL_INVALID_VALUE, "glPixelStorei alignment not 1, 2, 4 or 8");
            return;
        }
        (pname == GL_PACK_ALIGNMENT ? gl().state.packAlignment : gl().state.unpackAlignment) = param;
    }
}

void glReadBuffer(GLenum mode) {
    if (!gl().enter("glReadBuffer", {double(mode)}))
        return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_LEFT && mode != GL_BACK_LEFT &&
        mode != GL_LEFT) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glReadBuffer", mode));
        return;
    }
    gl().state.readBuffer = mode;
}

// Hands back the uploaded bytes when they were RGBA / GL_UNSIGNED_BYTE both
// ways, zeros otherwise.
void glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
    if (!gl().enter("glGetTexImage", {double(target), double(level), double(format), double(type)}))
        return;
    const int pixelBytes = componentsOf(format) * bytesOf(type);
    if (target != GL_TEXTURE_2D || pixelBytes == 0) {
        gl().fail(GL_INVALID_ENUM, "glGetTexImage with an unknown target, format or type");
        return;
    }
    const recgl::Texture& t = gl().boundTexture();
    if (level != 0 || !t.hasImage || t.width == 0 || t.height == 0)
        return;
    const std::size_t rowBytes = std::size_t(t.width) * pixelBytes;
    const std::size_t align = std::size_t(gl().state.packAlignment);
    const std::size_t stride = (rowBytes + align - 1) / align * align;
    if (format == GL_RGBA && type == GL_UNSIGNED_BYTE && !t.pixels.empty()) {
        for (GLsizei row = 0; row < t.height; ++row)
            std::memcpy(static_cast<std::uint8_t*>(pixels) + row * stride,
                        t.pixels.data() + std::size_t(row) * rowBytes, rowBytes);
        return;
    }
    std::memset(pixels, 0, stride * (t.height - 1) + rowBytes);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
    if (!gl().enter("glReadPixels", {double(x), double(y), double(width), double(height),
                                     double(format), double(type)}))
        return;
    if (width < 0 || height < 0) {
        gl().fail(GL_INVALID_VALUE, "glReadPixels with a negative size");
        return;
    }
    const int pixelBytes = componentsOf(format) * bytesOf(type);
    if (pixelBytes == 0) {
        gl().fail(GL_INVALID_ENUM, "glReadPixels with an unknown format or type");
        return;
    }
    if (width == 0 || height == 0)
        return;
    const std::size_t rowBytes = std::size_t(width) * pixelBytes;
    const std::size_t align = std::size_t(gl().state.packAlignment);
    const std::size_t stride = (rowBytes + align - 1) / align * align;
    std::memset(pixels, 0, stride * (height - 1) + rowBytes);
}

const GLubyte* glGetString(GLenum name) {
    if (!gl().enter("glGetString", {double(name)}))
        return nullptr;
    const char* text = nullptr;
    switch (name) {
    case GL_VENDOR: text = "Velmora"; break;
    case GL_RENDERER: text = "Velmora recording GL"; break;
    case GL_VERSION: text = "1.1 Velmora recording GL"; break;
    case GL_EXTENSIONS: text = ""; break;
    default:
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glGetString", name));
        return nullptr;
    }
    return reinterpret_cast<const GLubyte*>(text);
}

}  // extern "C"
