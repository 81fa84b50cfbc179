// GlesApiWeb: the table filled from emscripten's WebGL 2 functions under
// their emscripten_gl* aliases, whose plain gl* names the layer's own GL 1.1
// names take. Compiled only for the web.
#include "webgl/GlesApi.h"

#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

namespace webgl {

GlesApi webGlesApi() {
    GlesApi api;
#define VELMORA_GLES_WEB(name, upper) api.name = &emscripten_gl##name;
    VELMORA_GLES_API(VELMORA_GLES_WEB)
#undef VELMORA_GLES_WEB
    return api;
}

}  // namespace webgl
