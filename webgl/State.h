// State: the OpenGL 1.1 state the demo touches, as one plain value — what the
// attribute stack saves and restores, what glGet* answers from, and what the
// web layer's renderer turns into WebGL state at each draw.
#pragma once

#include <GL/gl.h>
// Where gl.h stops at OpenGL 1.1 (Windows), the later constants the model
// knows (BGRA, clamp to edge) come from here.
#include <GL/glext.h>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace webgl {

struct State {
    std::vector<GLenum> enabledCaps;  // every capability currently enabled
    GLenum polygonModeFront = GL_FILL;
    GLenum polygonModeBack = GL_FILL;
    GLenum blendSrc = GL_ONE;
    GLenum blendDst = GL_ZERO;
    GLenum depthFunc = GL_LESS;
    GLenum frontFace = GL_CCW;
    GLenum matrixMode = GL_MODELVIEW;
    std::array<float, 4> color{1, 1, 1, 1};
    std::array<float, 4> clearColor{0, 0, 0, 0};
    std::array<GLint, 4> viewport{0, 0, 0, 0};
    std::array<GLint, 4> scissorBox{0, 0, 0, 0};
    float pointSize = 1.0f;
    float lineWidth = 1.0f;
    GLuint boundTexture2D = 0;
    GLint fogMode = GL_EXP;
    std::array<float, 4> fogColor{0, 0, 0, 0};
    float fogDensity = 1.0f, fogStart = 0.0f, fogEnd = 1.0f;
    GLint texEnvMode = GL_MODULATE;
    int modelviewDepth = 1;   // stack depth, 1 = nothing pushed
    int projectionDepth = 1;
    int textureDepth = 1;
    int attribDepth = 0;
    bool insideBeginEnd = false;

    std::array<float, 2> texCoord{0, 0};   // current texture coordinate (s, t)
    std::array<float, 3> normal{0, 0, 1};
    GLenum shadeModel = GL_SMOOTH;
    GLenum cullFaceMode = GL_BACK;
    std::map<GLenum, GLenum> hints;        // targets never set are GL_DONT_CARE
    float clearDepth = 1.0f;
    bool depthMask = true;
    std::array<double, 2> depthRange{0, 1};
    GLenum readBuffer = GL_BACK;
    GLint packAlignment = 4;
    GLint unpackAlignment = 4;
};

// A texture object as the program left it: parameters, image size, and —
// when the context keeps images — a copy of the pixels uploaded as GL_RGBA /
// GL_UNSIGNED_BYTE.
struct Texture {
    GLuint name = 0;
    bool hasImage = false;
    GLsizei width = 0, height = 0;
    GLint internalFormat = 0;
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    std::vector<std::uint8_t> pixels;  // width * height * 4, top row last
    int imageUploads = 0;              // glTexImage2D / glCopyTexImage2D
    int copies = 0;                    // glCopyTexSubImage2D
    bool everBound = false;            // glIsTexture is true only after a bind
};

// One vertex as glVertex sent it, with the current colour and texture
// coordinate of that moment.
struct Vertex {
    std::array<float, 4> position;  // object coordinates, w = 1 unless given
    std::array<float, 4> color;
    std::array<float, 2> texCoord;
};

}  // namespace webgl
