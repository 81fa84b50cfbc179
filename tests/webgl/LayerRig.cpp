// LayerRig: the second context is asked for as OpenGL ES 3.0 — what WebGL 2
// offers — and SDL's attributes are put back so later contexts are desktop.
#include "tests/webgl/LayerRig.h"

#include <stdexcept>
#include <string>

namespace {

struct EsAttributes {
    EsAttributes() {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    }
    ~EsAttributes() { SDL_GL_ResetAttributes(); }
};

}  // namespace

LayerRig::LayerRig() : mesaContext(SDL_GL_GetCurrentContext()) {
    {
        const EsAttributes attributes;
        es = std::make_unique<HeadlessContext>(width, height);
    }
    esContext = SDL_GL_GetCurrentContext();
    using Attach = const char* (*)(void* (*)(const char*));
    const auto attach = reinterpret_cast<Attach>(layer.symbol("velmoraLayerAttach"));
    detach = reinterpret_cast<void (*)()>(layer.symbol("velmoraLayerDetach"));
    if (const char* error = attach(SDL_GL_GetProcAddress))
        throw std::runtime_error(std::string("the web layer does not start: ") + error);
}

LayerRig::~LayerRig() {
    SDL_GL_MakeCurrent(es->window(), esContext);
    detach();
    es.reset();
}

std::vector<std::uint8_t> LayerRig::drawWithMesa(const Scene& scene) {
    SDL_GL_MakeCurrent(mesa.window(), mesaContext);
    scene(realGLApi());
    return mesa.readPixels(0, 0, width, height);
}

std::vector<std::uint8_t> LayerRig::drawWithLayer(const Scene& scene) {
    SDL_GL_MakeCurrent(es->window(), esContext);
    const GLApi& gl = layer.api();
    scene(gl);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
