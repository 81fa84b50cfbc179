// GlesApi: the table filled through a context's GetProcAddress (native ES).
#include "webgl/GlesApi.h"

#include <stdexcept>
#include <string>

namespace webgl {

GlesApi GlesApi::load(void* (*getProcAddress)(const char* name)) {
    GlesApi api;
#define VELMORA_GLES_LOAD(name, upper)                                                   \
    api.name = reinterpret_cast<PFNGL##upper##PROC>(getProcAddress("gl" #name));        \
    if (api.name == nullptr)                                                             \
        throw std::runtime_error("the OpenGL ES context lacks gl" #name);
    VELMORA_GLES_API(VELMORA_GLES_LOAD)
#undef VELMORA_GLES_LOAD
    return api;
}

}  // namespace webgl
