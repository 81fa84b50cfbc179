// GlesApi: the OpenGL ES 3.0 (WebGL 2) entry points the layer draws with, as
// a table of function pointers. The layer defines the GL 1.1 names itself
// (glEnable, glBindTexture ...), so it can never call the ES functions of the
// same names directly: natively the table is filled from the ES context's
// GetProcAddress, on the web from emscripten's emscripten_gl* aliases.
#pragma once

#include <GL/gl.h>
// Typedefs only: a direct call of an ES function by name must not compile here.
#undef GL_GLES_PROTOTYPES
#define GL_GLES_PROTOTYPES 0
#include <GLES3/gl3.h>

#define VELMORA_GLES_API(X)                                                                  \
    X(ActiveTexture, ACTIVETEXTURE) X(AttachShader, ATTACHSHADER)                            \
    X(BindAttribLocation, BINDATTRIBLOCATION) X(BindBuffer, BINDBUFFER)                      \
    X(BindFramebuffer, BINDFRAMEBUFFER) X(CheckFramebufferStatus, CHECKFRAMEBUFFERSTATUS)                      \
    X(BindTexture, BINDTEXTURE) X(BindVertexArray, BINDVERTEXARRAY) X(BlendFunc, BLENDFUNC)  \
    X(BufferData, BUFFERDATA) X(Clear, CLEAR) X(ClearColor, CLEARCOLOR)                      \
    X(ClearDepthf, CLEARDEPTHF) X(CompileShader, COMPILESHADER)                              \
    X(CopyTexImage2D, COPYTEXIMAGE2D) X(CopyTexSubImage2D, COPYTEXSUBIMAGE2D)                \
    X(CreateProgram, CREATEPROGRAM) X(CreateShader, CREATESHADER) X(CullFace, CULLFACE)      \
    X(DeleteBuffers, DELETEBUFFERS) X(DeleteFramebuffers, DELETEFRAMEBUFFERS)              \
    X(DeleteProgram, DELETEPROGRAM)                          \
    X(DeleteShader, DELETESHADER) X(DeleteTextures, DELETETEXTURES)                          \
    X(DeleteVertexArrays, DELETEVERTEXARRAYS) X(DepthFunc, DEPTHFUNC)                        \
    X(DepthMask, DEPTHMASK) X(DepthRangef, DEPTHRANGEF) X(Disable, DISABLE)                  \
    X(DrawArrays, DRAWARRAYS)                    \
    X(DrawElements, DRAWELEMENTS) X(Enable, ENABLE)                                          \
    X(EnableVertexAttribArray, ENABLEVERTEXATTRIBARRAY) X(Finish, FINISH) X(Flush, FLUSH)    \
    X(FramebufferTexture2D, FRAMEBUFFERTEXTURE2D) X(FrontFace, FRONTFACE)                   \
    X(GenBuffers, GENBUFFERS) X(GenFramebuffers, GENFRAMEBUFFERS) X(GenTextures, GENTEXTURES)            \
    X(GenVertexArrays, GENVERTEXARRAYS) X(GetError, GETERROR)                                \
    X(GetProgramInfoLog, GETPROGRAMINFOLOG) X(GetProgramiv, GETPROGRAMIV)                    \
    X(GetShaderInfoLog, GETSHADERINFOLOG) X(GetShaderiv, GETSHADERIV)                        \
    X(GetUniformLocation, GETUNIFORMLOCATION) X(LinkProgram, LINKPROGRAM)                    \
    X(PixelStorei, PIXELSTOREI) X(ReadPixels, READPIXELS) X(Scissor, SCISSOR) X(ShaderSource, SHADERSOURCE)      \
    X(TexImage2D, TEXIMAGE2D) X(TexParameteri, TEXPARAMETERI) X(Uniform1f, UNIFORM1F)        \
    X(Uniform1i, UNIFORM1I) X(Uniform3f, UNIFORM3F) X(Uniform4f, UNIFORM4F)                  \
    X(UniformMatrix4fv, UNIFORMMATRIX4FV) X(UseProgram, USEPROGRAM)                          \
    X(VertexAttribPointer, VERTEXATTRIBPOINTER)  \
    X(Viewport, VIEWPORT)

namespace webgl {

struct GlesApi {
#define VELMORA_GLES_FIELD(name, upper) PFNGL##upper##PROC name = nullptr;
    VELMORA_GLES_API(VELMORA_GLES_FIELD)
#undef VELMORA_GLES_FIELD

    // Fills the table through a GetProcAddress of the current ES 3 context;
    // throws std::runtime_error naming the first entry point it lacks.
    static GlesApi load(void* (*getProcAddress)(const char* name));
};

// The table of the browser's WebGL 2 context (web builds only).
GlesApi webGlesApi();

}  // namespace webgl
