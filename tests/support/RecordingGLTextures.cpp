// The recording GL's texture-object entry points: names handed out in
// order (or 0 on request), images and parameters kept per object, and the
// copy-from-framebuffer calls checked against the bound image.
#include <GL/gl.h>

#include "tests/support/RecordingContext.h"

#include <cstring>

namespace {

RecordingContext& gl() { return RecordingContext::instance(); }

bool isInternalFormat(GLint format, bool allowCounts) {
    switch (format) {
    case 1: case 2: case 3: case 4:
        return allowCounts;
    case GL_ALPHA: case GL_ALPHA4: case GL_ALPHA8: case GL_LUMINANCE: case GL_LUMINANCE4:
    case GL_LUMINANCE8: case GL_LUMINANCE_ALPHA: case GL_LUMINANCE4_ALPHA4:
    case GL_LUMINANCE8_ALPHA8: case GL_INTENSITY: case GL_INTENSITY4: case GL_INTENSITY8:
    case GL_RGB: case GL_R3_G3_B2: case GL_RGB4: case GL_RGB5: case GL_RGB8: case GL_RGBA:
    case GL_RGBA2: case GL_RGBA4: case GL_RGB5_A1: case GL_RGBA8:
        return true;
    default:
        return false;
    }
}

bool isPixelFormat(GLenum format) {
    switch (format) {
    case GL_RED: case GL_GREEN: case GL_BLUE: case GL_ALPHA: case GL_RGB: case GL_RGBA:
    case GL_LUMINANCE: case GL_LUMINANCE_ALPHA: case GL_BGR: case GL_BGRA:
        return true;
    default:
        return false;
    }
}

bool isPixelType(GLenum type) {
    switch (type) {
    case GL_UNSIGNED_BYTE: case GL_BYTE: case GL_UNSIGNED_SHORT: case GL_SHORT:
    case GL_UNSIGNED_INT: case GL_INT: case GL_FLOAT:
        return true;
    default:
        return false;
    }
}

bool isPowerOfTwo(GLsizei n) { return n > 0 && (n & (n - 1)) == 0; }

// Shared checks of glTexImage2D and glCopyTexImage2D; false after flagging.
bool imageSizeOk(const char* name, GLenum target, GLint level, GLsizei width, GLsizei height,
                 GLint border) {
    if (target != GL_TEXTURE_2D) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, target));
        return false;
    }
    if (level < 0 || border < 0 || border > 1 || width < 0 || height < 0 ||
        width > RecordingContext::maxTextureSize + 2 * border ||
        height > RecordingContext::maxTextureSize + 2 * border) {
        gl().fail(GL_INVALID_VALUE, std::string(name) + " with a bad level, size or border");
        return false;
    }
    if (gl().powerOfTwoOnly && (width > 0 || height > 0) &&
        (!isPowerOfTwo(width - 2 * border) || !isPowerOfTwo(height - 2 * border))) {
        gl().fail(GL_INVALID_VALUE, std::string(name) + " with a size that is not a power of two");
        return false;
    }
    return true;
}

void texParameter(const char* name, GLenum target, GLenum pname, GLint param) {
    if (!gl().enter(name, {double(target), double(pname), double(param)}))
        return;
    if (target != GL_TEXTURE_2D) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, target));
        return;
    }
    recgl::Texture& t = gl().boundTexture();
    const auto value = static_cast<GLenum>(param);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
        if (value == GL_NEAREST || value == GL_LINEAR || value == GL_NEAREST_MIPMAP_NEAREST ||
            value == GL_LINEAR_MIPMAP_NEAREST || value == GL_NEAREST_MIPMAP_LINEAR ||
            value == GL_LINEAR_MIPMAP_LINEAR) {
            t.minFilter = value;
            return;
        }
        break;
    case GL_TEXTURE_MAG_FILTER:
        if (value == GL_NEAREST || value == GL_LINEAR) {
            t.magFilter = value;
            return;
        }
        break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
        if (value == GL_CLAMP || value == GL_REPEAT || value == GL_CLAMP_TO_EDGE) {
            (pname == GL_TEXTURE_WRAP_S ? t.wrapS : t.wrapT) = value;
            return;
        }
        break;
    case GL_TEXTURE_PRIORITY:
        return;
    default:
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, pname));
        return;
    }
    gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, value));
}

void texEnv(const char* name, GLenum target, GLenum pname, GLint param) {
    if (!gl().enter(name, {double(target), double(pname), double(param)}))
        return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, pname));
        return;
    }
    if (param != GL_MODULATE && param != GL_DECAL && param != GL_BLEND && param != GL_REPLACE &&
        param != GL_ADD) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("GL_TEXTURE_ENV_MODE", param));
        return;
    }
    gl().state.texEnvMode = param;
}

}  // namespace

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
    if (!gl().enter("glGenTextures", {double(n)}))
        return;
    if (n < 0) {
        gl().fail(GL_INVALID_VALUE, "glGenTextures with a negative count");
        return;
    }
    auto& args = gl().callLog.back().args;
    const bool failing = gl().failNextGen;
    gl().failNextGen = false;
    for (GLsizei i = 0; i < n; ++i) {
        GLuint name = 0;
        if (!failing) {
            name = gl().nextTextureName++;
            gl().textures[name].name = name;
        }
        textures[i] = name;
        args.push_back(name);
    }
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
    std::vector<double> args{double(n)};
    for (GLsizei i = 0; i < n; ++i)
        args.push_back(textures[i]);
    if (!gl().enter("glDeleteTextures", std::move(args)))
        return;
    if (n < 0) {
        gl().fail(GL_INVALID_VALUE, "glDeleteTextures with a negative count");
        return;
    }
    for (GLsizei i = 0; i < n; ++i) {
        if (textures[i] == 0)
            continue;
        gl().textures.erase(textures[i]);
        if (gl().state.boundTexture2D == textures[i])
            gl().state.boundTexture2D = 0;
    }
}

GLboolean glIsTexture(GLuint texture) {
    if (!gl().enter("glIsTexture", {double(texture)}))
        return GL_FALSE;
    const recgl::Texture* t = gl().findTexture(texture);
    return t && t->everBound ? GL_TRUE : GL_FALSE;
}

void glBindTexture(GLenum target, GLuint texture) {
    if (!gl().enter("glBindTexture", {double(target), double(texture)}))
        return;
    if (target != GL_TEXTURE_2D) {
        if (target == GL_TEXTURE_1D)
            gl().note("glBindTexture(GL_TEXTURE_1D) is not tracked");
        else
            gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glBindTexture", target));
        return;
    }
    if (texture != 0) {
        // Like Mesa, later names follow the highest name ever bound.
        if (texture >= gl().nextTextureName)
            gl().nextTextureName = texture + 1;
        recgl::Texture& t = gl().textures[texture];
        t.name = texture;
        t.everBound = true;
    }
    gl().state.boundTexture2D = texture;
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    if (!gl().enter("glTexImage2D", {double(target), double(level), double(internalFormat),
                                     double(width), double(height), double(border),
                                     double(format), double(type)}))
        return;
    if (!imageSizeOk("glTexImage2D", target, level, width, height, border))
        return;
    if (!isInternalFormat(internalFormat, true)) {
        gl().fail(GL_INVALID_VALUE, "glTexImage2D with an unknown internal format");
        return;
    }
    if (!isPixelFormat(format) || !isPixelType(type)) {
        gl().fail(GL_INVALID_ENUM, "glTexImage2D with an unknown format or type");
        return;
    }
    if (level > 0) {
        gl().note("glTexImage2D mipmap levels are not tracked");
        return;
    }
    recgl::Texture& t = gl().boundTexture();
    t.hasImage = true;
    t.width = width;
    t.height = height;
    t.internalFormat = internalFormat;
    ++t.imageUploads;
    t.pixels.clear();
    if (pixels && format == GL_RGBA && type == GL_UNSIGNED_BYTE) {
        // Rows of RGBA bytes are 4-aligned whatever GL_UNPACK_ALIGNMENT says.
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        t.pixels.assign(bytes, bytes + std::size_t(width) * height * 4);
    }
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    texParameter("glTexParameteri", target, pname, param);
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    texParameter("glTexParameterf", target, pname, static_cast<GLint>(param));
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
    texEnv("glTexEnvf", target, pname, static_cast<GLint>(param));
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) { texEnv("glTexEnvi", target, pname, param); }

void glCopyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                      GLsizei width, GLsizei height, GLint border) {
    if (!gl().enter("glCopyTexImage2D", {double(target), double(level), double(internalFormat),
                                         double(x), double(y), double(width), double(height),
                                         double(border)}))
        return;
    if (!imageSizeOk("glCopyTexImage2D", target, level, width, height, border))
        return;
    // Unlike glTexImage2D, component counts 1-4 are not formats here.
    if (!isInternalFormat(static_cast<GLint>(internalFormat), false)) {
        gl().fail(GL_INVALID_ENUM, "glCopyTexImage2D with an unknown internal format");
        return;
    }
    if (level > 0) {
        gl().note("glCopyTexImage2D mipmap levels are not tracked");
        return;
    }
    recgl::Texture& t = gl().boundTexture();
    t.hasImage = true;
    t.width = width;
    t.height = height;
    t.internalFormat = static_cast<GLint>(internalFormat);
    ++t.imageUploads;
    t.pixels.clear();
}

void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x,
                         GLint y, GLsizei width, GLsizei height) {
    if (!gl().enter("glCopyTexSubImage2D", {double(target), double(level), double(xoffset),
                                            double(yoffset), double(x), double(y), double(width),
                                            double(height)}))
        return;
    if (target != GL_TEXTURE_2D) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glCopyTexSubImage2D", target));
        return;
    }
    recgl::Texture& t = gl().boundTexture();
    if (level != 0 || !t.hasImage) {
        gl().fail(GL_INVALID_OPERATION, "glCopyTexSubImage2D into a texture without an image");
        return;
    }
    if (width < 0 || height < 0 || xoffset < 0 || yoffset < 0 || xoffset + width > t.width ||
        yoffset + height > t.height) {
        gl().fail(GL_INVALID_VALUE, "glCopyTexSubImage2D outside the texture image");
        return;
    }
    ++t.copies;
}

}  // extern "C"
