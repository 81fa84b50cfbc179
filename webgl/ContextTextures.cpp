// Context: texture objects — names handed out in order (continuing after the
// highest name ever bound, as Mesa does), images and parameters kept per
// object, and the copy-from-framebuffer calls checked against the bound image.
#include "webgl/Context.h"

#include <cstring>

namespace webgl {

namespace {

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

}  // namespace

bool Context::imageSizeOk(const char* name, GLenum target, GLint level, GLsizei width,
                          GLsizei height, GLint border) {
    if (target != GL_TEXTURE_2D) {
        fail(GL_INVALID_ENUM, describe(name, target));
        return false;
    }
    if (level < 0 || border < 0 || border > 1 || width < 0 || height < 0 ||
        width > maxTextureSize + 2 * border || height > maxTextureSize + 2 * border) {
        fail(GL_INVALID_VALUE, std::string(name) + " with a bad level, size or border");
        return false;
    }
    if (powerOfTwoTexturesOnly && (width > 0 || height > 0) &&
        (!isPowerOfTwo(width - 2 * border) || !isPowerOfTwo(height - 2 * border))) {
        fail(GL_INVALID_VALUE, std::string(name) + " with a size that is not a power of two");
        return false;
    }
    return true;
}

std::vector<GLuint> Context::genTextures(GLsizei n, GLuint* names) {
    std::vector<GLuint> handedOut;
    if (!outsideBeginEnd("glGenTextures"))
        return handedOut;
    if (n < 0) {
        fail(GL_INVALID_VALUE, "glGenTextures with a negative count");
        return handedOut;
    }
    const bool available = out.textureNamesAvailable();
    for (GLsizei i = 0; i < n; ++i) {
        GLuint name = 0;
        if (available) {
            name = nextTextureName++;
            objects[name].name = name;
        }
        names[i] = name;
        handedOut.push_back(name);
    }
    return handedOut;
}

void Context::deleteTextures(GLsizei n, const GLuint* names) {
    if (!outsideBeginEnd("glDeleteTextures"))
        return;
    if (n < 0) {
        fail(GL_INVALID_VALUE, "glDeleteTextures with a negative count");
        return;
    }
    for (GLsizei i = 0; i < n; ++i) {
        if (names[i] == 0 || objects.erase(names[i]) == 0)
            continue;
        out.deleteTexture(names[i]);
        if (live.boundTexture2D == names[i])
            live.boundTexture2D = 0;
    }
}

bool Context::isTexture(GLuint name) {
    if (!outsideBeginEnd("glIsTexture"))
        return false;
    const Texture* t = findTexture(name);
    return t && t->everBound;
}

void Context::bindTexture(GLenum target, GLuint name) {
    if (!outsideBeginEnd("glBindTexture"))
        return;
    if (target != GL_TEXTURE_2D) {
        if (target == GL_TEXTURE_1D)
            note("glBindTexture(GL_TEXTURE_1D) is not tracked");
        else
            fail(GL_INVALID_ENUM, describe("glBindTexture", target));
        return;
    }
    if (name != 0) {
        // Like Mesa, later names follow the highest name ever bound.
        if (name >= nextTextureName)
            nextTextureName = name + 1;
        Texture& t = objects[name];
        t.name = name;
        t.everBound = true;
    }
    live.boundTexture2D = name;
}

void Context::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                         GLsizei height, GLint border, GLenum format, GLenum type,
                         const void* pixels) {
    if (!outsideBeginEnd("glTexImage2D"))
        return;
    if (!imageSizeOk("glTexImage2D", target, level, width, height, border))
        return;
    if (!isInternalFormat(internalFormat, true)) {
        fail(GL_INVALID_VALUE, "glTexImage2D with an unknown internal format");
        return;
    }
    if (!isPixelFormat(format) || !isPixelType(type)) {
        fail(GL_INVALID_ENUM, "glTexImage2D with an unknown format or type");
        return;
    }
    if (level > 0) {
        note("glTexImage2D mipmap levels are not tracked");
        return;
    }
    Texture& t = bound();
    t.hasImage = true;
    t.width = width;
    t.height = height;
    t.internalFormat = internalFormat;
    ++t.imageUploads;
    t.pixels.clear();
    if (keepTextureImages && pixels && format == GL_RGBA && type == GL_UNSIGNED_BYTE) {
        // Rows of RGBA bytes are 4-aligned whatever GL_UNPACK_ALIGNMENT says.
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        t.pixels.assign(bytes, bytes + std::size_t(width) * height * 4);
    }
    out.textureImage(live.boundTexture2D, pixels, format, type);
}

void Context::texParameter(const char* name, GLenum target, GLenum pname, GLint param) {
    if (!outsideBeginEnd(name))
        return;
    if (target != GL_TEXTURE_2D) {
        fail(GL_INVALID_ENUM, describe(name, target));
        return;
    }
    Texture& t = bound();
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
        fail(GL_INVALID_ENUM, describe(name, pname));
        return;
    }
    fail(GL_INVALID_ENUM, describe(name, value));
}

void Context::texEnv(const char* name, GLenum target, GLenum pname, GLint param) {
    if (!outsideBeginEnd(name))
        return;
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        fail(GL_INVALID_ENUM, describe(name, pname));
        return;
    }
    if (param != GL_MODULATE && param != GL_DECAL && param != GL_BLEND && param != GL_REPLACE &&
        param != GL_ADD) {
        fail(GL_INVALID_ENUM, describe("GL_TEXTURE_ENV_MODE", param));
        return;
    }
    live.texEnvMode = param;
}

void Context::copyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                             GLsizei width, GLsizei height, GLint border) {
    if (!outsideBeginEnd("glCopyTexImage2D"))
        return;
    if (!imageSizeOk("glCopyTexImage2D", target, level, width, height, border))
        return;
    // Unlike glTexImage2D, component counts 1-4 are not formats here.
    if (!isInternalFormat(static_cast<GLint>(internalFormat), false)) {
        fail(GL_INVALID_ENUM, "glCopyTexImage2D with an unknown internal format");
        return;
    }
    if (level > 0) {
        note("glCopyTexImage2D mipmap levels are not tracked");
        return;
    }
    Texture& t = bound();
    t.hasImage = true;
    t.width = width;
    t.height = height;
    t.internalFormat = static_cast<GLint>(internalFormat);
    ++t.imageUploads;
    t.pixels.clear();
    out.copyTextureImage(live.boundTexture2D, x, y);
}

void Context::copyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset,
                                GLint x, GLint y, GLsizei width, GLsizei height) {
    if (!outsideBeginEnd("glCopyTexSubImage2D"))
        return;
    if (target != GL_TEXTURE_2D) {
        fail(GL_INVALID_ENUM, describe("glCopyTexSubImage2D", target));
        return;
    }
    Texture& t = bound();
    if (level != 0 || !t.hasImage) {
        fail(GL_INVALID_OPERATION, "glCopyTexSubImage2D into a texture without an image");
        return;
    }
    if (width < 0 || height < 0 || xoffset < 0 || yoffset < 0 || xoffset + width > t.width ||
        yoffset + height > t.height) {
        fail(GL_INVALID_VALUE, "glCopyTexSubImage2D outside the texture image");
        return;
    }
    ++t.copies;
    out.copyTextureSubImage(live.boundTexture2D, xoffset, yoffset, x, y, width, height);
}

}  // namespace webgl
