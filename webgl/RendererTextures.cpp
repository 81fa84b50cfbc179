// Renderer: texture images, copies from the framebuffer and read-backs. Each
// of them first draws what is collected, since it may use what they change.
#include "webgl/Renderer.h"

#include <vector>

namespace webgl {

namespace {

// Bytes per pixel the read-back converts to; 0 for what it cannot.
int readFormatBytes(GLenum format, GLenum type) {
    if (type != GL_UNSIGNED_BYTE)
        return 0;
    switch (format) {
    case GL_RGBA: case GL_BGRA: return 4;
    case GL_RGB: case GL_BGR: return 3;
    case GL_RED: case GL_GREEN: case GL_BLUE: case GL_ALPHA: return 1;
    default: return 0;
    }
}

void convertPixel(const std::uint8_t* rgba, GLenum format, std::uint8_t* out) {
    switch (format) {
    case GL_RGBA: out[0] = rgba[0]; out[1] = rgba[1]; out[2] = rgba[2]; out[3] = rgba[3]; return;
    case GL_BGRA: out[0] = rgba[2]; out[1] = rgba[1]; out[2] = rgba[0]; out[3] = rgba[3]; return;
    case GL_RGB: out[0] = rgba[0]; out[1] = rgba[1]; out[2] = rgba[2]; return;
    case GL_BGR: out[0] = rgba[2]; out[1] = rgba[1]; out[2] = rgba[0]; return;
    case GL_RED: out[0] = rgba[0]; return;
    case GL_GREEN: out[0] = rgba[1]; return;
    case GL_BLUE: out[0] = rgba[2]; return;
    default: out[0] = rgba[3]; return;
    }
}

GLenum esWrap(GLenum wrap) {
    // GL_CLAMP would blend in the border colour at the edge; the demo never
    // asks for it, and ES has only the edge clamp.
    return wrap == GL_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE;
}

}  // namespace

std::int32_t Renderer::baseFormat(GLint internalFormat) {
    switch (internalFormat) {
    case 3: case GL_RGB: case GL_R3_G3_B2: case GL_RGB4: case GL_RGB5: case GL_RGB8:
        return 3;
    default:
        return 4;
    }
}

GLuint Renderer::gpuTexture(GLuint name) {
    GpuTexture& texture = textures[name];
    if (texture.name == 0)
        gl.GenTextures(1, &texture.name);
    return texture.name;
}

void Renderer::bindTexture(GLuint gpuName) {
    if (boundGpuTexture == gpuName)
        return;
    gl.BindTexture(GL_TEXTURE_2D, gpuName);
    boundGpuTexture = gpuName;
}

void Renderer::applyTextureParameters(const DrawKey& key, GpuTexture& texture) {
    auto set = [&](GLenum pname, GLenum wanted, GLenum& now) {
        if (now != wanted) {
            gl.TexParameteri(GL_TEXTURE_2D, pname, GLint(wanted));
            now = wanted;
        }
    };
    set(GL_TEXTURE_MIN_FILTER, key.minFilter, texture.minFilter);
    set(GL_TEXTURE_MAG_FILTER, key.magFilter, texture.magFilter);
    set(GL_TEXTURE_WRAP_S, esWrap(key.wrapS), texture.wrapS);
    set(GL_TEXTURE_WRAP_T, esWrap(key.wrapT), texture.wrapT);
}

void Renderer::textureImage(GLuint name, const void* pixels, GLenum format, GLenum type) {
    submit();
    if (lost)
        return;
    const Texture& texture = model->boundTexture();
    bindTexture(gpuTexture(name));
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, model->state().unpackAlignment);
    if (type == GL_UNSIGNED_BYTE && (format == GL_RGBA || format == GL_RGB)) {
        gl.TexImage2D(GL_TEXTURE_2D, 0, GLint(format), texture.width, texture.height, 0, format,
                      GL_UNSIGNED_BYTE, pixels);
        return;
    }
    misuse(Context::describe("glTexImage2D format the web layer does not upload:", format));
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture.width, texture.height, 0, GL_RGBA,
                  GL_UNSIGNED_BYTE, nullptr);
}

void Renderer::copyTextureImage(GLuint name, GLint x, GLint y) {
    submit();
    if (lost)
        return;
    const Texture& texture = model->boundTexture();
    bindTexture(gpuTexture(name));
    const GLenum format = baseFormat(texture.internalFormat) == 3 ? GL_RGB : GL_RGBA;
    gl.CopyTexImage2D(GL_TEXTURE_2D, 0, format, x, y, texture.width, texture.height, 0);
}

void Renderer::copyTextureSubImage(GLuint name, GLint xoffset, GLint yoffset, GLint x, GLint y,
                                   GLsizei width, GLsizei height) {
    submit();
    if (lost)
        return;
    bindTexture(gpuTexture(name));
    gl.CopyTexSubImage2D(GL_TEXTURE_2D, 0, xoffset, yoffset, x, y, width, height);
}

void Renderer::deleteTexture(GLuint name) {
    submit();
    if (lost)
        return;
    auto it = textures.find(name);
    if (it == textures.end())
        return;
    if (boundGpuTexture == it->second.name)
        boundGpuTexture = 0;
    gl.DeleteTextures(1, &it->second.name);
    textures.erase(it);
}

void Renderer::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                          GLenum type, std::size_t stride, std::size_t rowBytes, void* pixels) {
    submit();
    const int bytes = readFormatBytes(format, type);
    if (bytes == 0 || lost) {
        if (!lost)
            misuse(Context::describe("glReadPixels format the web layer does not read:", format));
        Backend::readPixels(x, y, width, height, format, type, stride, rowBytes, pixels);
        return;
    }
    readConverted(x, y, width, height, format, stride, false, pixels);
}

void Renderer::readConverted(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                             std::size_t stride, bool opaque, void* pixels) {
    // ES reads RGBA bytes with the pack alignment set to 1 once and for all.
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    gl.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const int bytes = readFormatBytes(format, GL_UNSIGNED_BYTE);
    auto* out = static_cast<std::uint8_t*>(pixels);
    for (GLsizei row = 0; row < height; ++row) {
        std::uint8_t* from = rgba.data() + std::size_t(row) * width * 4;
        std::uint8_t* to = out + std::size_t(row) * stride;
        for (GLsizei column = 0; column < width; ++column) {
            if (opaque)
                from[column * 4 + 3] = 255;
            convertPixel(from + column * 4, format, to + column * bytes);
        }
    }
}

// ES has no glGetTexImage: the texture is attached to a framebuffer of its
// own for the read. An image without alpha reads back opaque, as in GL.
void Renderer::readTexture(GLuint name, GLsizei width, GLsizei height, GLenum format, GLenum type,
                           std::size_t stride, std::size_t rowBytes, void* pixels) {
    submit();
    const auto found = textures.find(name);
    if (lost || readFormatBytes(format, type) == 0 || found == textures.end()) {
        Backend::readTexture(name, width, height, format, type, stride, rowBytes, pixels);
        return;
    }
    GLuint framebuffer = 0;
    gl.GenFramebuffers(1, &framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                            found->second.name, 0);
    if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
        readConverted(0, 0, width, height, format, stride,
                      baseFormat(model->boundTexture().internalFormat) == 3, pixels);
    else
        Backend::readTexture(name, width, height, format, type, stride, rowBytes, pixels);
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.DeleteFramebuffers(1, &framebuffer);
}

}  // namespace webgl
