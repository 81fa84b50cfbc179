// Program: one linked GLSL ES program of the layer with the uniforms every
// draw sets, each sent only when it differs from what the program last got.
#pragma once

#include "webgl/DrawKey.h"
#include "webgl/GlesApi.h"

#include <string>

namespace webgl {

class Program {
public:
    // Both sources follow "#version 300 es" and the defines of the variant.
    // Throws std::runtime_error with the compiler's or linker's log.
    Program(const GlesApi& gl, const char* vertexSource, const char* fragmentSource,
            const std::string& defines);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Makes the uniforms match the key; the program must be in use.
    void apply(const DrawKey& key);
    // The next apply sends every uniform (after the context lost them).
    void forget() { fresh = true; }
    // The program went with its context: the destructor leaves it alone.
    void abandon() { program = 0; }
    GLuint id() const { return program; }

private:
    GLuint compile(GLenum stage, const std::string& defines, const char* source);

    const GlesApi& gl;
    GLuint program = 0;
    GLint modelview, modelviewProjection, textureMatrix, viewport, image, texturing, fogParams,
        fogColor, pointStyle, pointSize, halfWidth;
    DrawKey sent;
    bool fresh = true;
};

}  // namespace webgl
