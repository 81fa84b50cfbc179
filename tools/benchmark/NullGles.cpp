// NullGles: one do-nothing function per ES entry point, made from the entry
// point's own type, and the two status queries answered with GL_TRUE.
#include "tools/benchmark/NullGles.h"

namespace {

template <typename Function>
struct Nothing;

template <typename Result, typename... Arguments>
struct Nothing<Result (*)(Arguments...)> {
    static Result call(Arguments...) { return Result(); }
};

void statusTrue(GLuint, GLenum, GLint* value) { *value = GL_TRUE; }

}  // namespace

webgl::GlesApi nullGlesApi() {
    webgl::GlesApi api;
#define VELMORA_GLES_NULL(name, upper) api.name = &Nothing<PFNGL##upper##PROC>::call;
    VELMORA_GLES_API(VELMORA_GLES_NULL)
#undef VELMORA_GLES_NULL
    api.GetShaderiv = &statusTrue;
    api.GetProgramiv = &statusTrue;
    return api;
}
