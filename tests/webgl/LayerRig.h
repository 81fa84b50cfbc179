// LayerRig: the web layer and Mesa side by side in one process — Mesa's
// fixed-function GL on a desktop context, the layer (a module, see
// webgl/Layer.h) on an OpenGL ES 3 context — each drawing a scene into a
// fresh picture of the same size, read back for comparison.
#pragma once

#include "shell/HeadlessContext.h"
#include "tests/support/GLApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class LayerRig {
public:
    static constexpr int width = 96;
    static constexpr int height = 96;
    using Scene = std::function<void(const GLApi&)>;

    LayerRig();  // throws std::runtime_error
    ~LayerRig();
    LayerRig(const LayerRig&) = delete;
    LayerRig& operator=(const LayerRig&) = delete;

    // RGBA rows, bottom row first, of the scene drawn by each.
    std::vector<std::uint8_t> drawWithMesa(const Scene& scene);
    std::vector<std::uint8_t> drawWithLayer(const Scene& scene);

private:
    HeadlessContext mesa{width, height};
    SDL_GLContext mesaContext;
    std::unique_ptr<HeadlessContext> es;
    SDL_GLContext esContext = nullptr;
    GLModule layer{VELMORA_WEBGL_MODULE};
    void (*detach)() = nullptr;
};
