// Program: compiling and linking the layer's shaders, and the uniform cache
// that keeps a batch's draw down to the uniforms that changed.
#include "webgl/Program.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace webgl {

namespace {

bool differs(const float* a, const float* b, int n) { return std::memcmp(a, b, n * sizeof(float)) != 0; }

}  // namespace

GLuint Program::compile(GLenum stage, const std::string& defines, const char* source) {
    const GLuint shader = gl.CreateShader(stage);
    const char* const parts[] = {"#version 300 es\n", defines.c_str(), source};
    gl.ShaderSource(shader, 3, parts, nullptr);
    gl.CompileShader(shader);
    GLint ok = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = "";
        gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
        gl.DeleteShader(shader);
        throw std::runtime_error(std::string("the web layer's shader does not compile: ") + log);
    }
    return shader;
}

Program::Program(const GlesApi& api, const char* vertexSource, const char* fragmentSource,
                 const std::string& defines)
    : gl(api) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, defines, vertexSource);
    GLuint fragment = 0;
    try {
        fragment = compile(GL_FRAGMENT_SHADER, defines, fragmentSource);
    } catch (...) {
        gl.DeleteShader(vertex);
        throw;
    }
    program = gl.CreateProgram();
    gl.AttachShader(program, vertex);
    gl.AttachShader(program, fragment);
    gl.LinkProgram(program);
    gl.DeleteShader(vertex);
    gl.DeleteShader(fragment);
    GLint ok = GL_FALSE;
    gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = "";
        gl.GetProgramInfoLog(program, sizeof log, nullptr, log);
        gl.DeleteProgram(program);
        throw std::runtime_error(std::string("the web layer's shaders do not link: ") + log);
    }
    auto at = [&](const char* name) { return gl.GetUniformLocation(program, name); };
    modelview = at("modelview");
    modelviewProjection = at("modelviewProjection");
    textureMatrix = at("textureMatrix");
    viewport = at("viewport");
    image = at("image");
    texturing = at("texturing");
    fogParams = at("fogParams");
    fogColor = at("fogColor");
    pointStyle = at("pointStyle");
    pointSize = at("pointSize");
    halfWidth = at("halfWidth");
    gl.UseProgram(program);
    gl.Uniform1i(image, 0);
}

Program::~Program() {
    if (program != 0)
        gl.DeleteProgram(program);
}

void Program::apply(const DrawKey& key) {
    const bool all = fresh;
    const DrawKey& was = sent;
    auto matrix = [&](GLint at, const float* now, const float* before) {
        if (all || differs(now, before, 16)) gl.UniformMatrix4fv(at, 1, GL_FALSE, now);
    };
    matrix(modelview, key.modelview, was.modelview);
    matrix(modelviewProjection, key.modelviewProjection, was.modelviewProjection);
    matrix(textureMatrix, key.textureMatrix, was.textureMatrix);
    if (all || std::memcmp(key.viewport, was.viewport, sizeof key.viewport) != 0)
        gl.Uniform4f(viewport, float(key.viewport[0]), float(key.viewport[1]),
                     float(key.viewport[2]), float(key.viewport[3]));
    if (all || key.texturing != was.texturing) gl.Uniform1i(texturing, key.texturing);
    if (all || differs(key.fogParams, was.fogParams, 3))
        gl.Uniform3f(fogParams, key.fogParams[0], key.fogParams[1], key.fogParams[2]);
    if (all || differs(key.fogColor, was.fogColor, 3))
        gl.Uniform3f(fogColor, key.fogColor[0], key.fogColor[1], key.fogColor[2]);
    if (pointStyle >= 0 && (all || key.pointStyle != was.pointStyle))
        gl.Uniform1i(pointStyle, key.pointStyle);
    if (pointSize >= 0 && (all || key.pointSize != was.pointSize))
        gl.Uniform1f(pointSize, key.pointSize);
    if (halfWidth >= 0 && (all || key.halfWidth != was.halfWidth))
        gl.Uniform1f(halfWidth, key.halfWidth);
    sent = key;
    fresh = false;
}

}  // namespace webgl
