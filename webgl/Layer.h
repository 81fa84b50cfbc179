// Layer: the fixed-function OpenGL 1.1 + GLU the scenes and objects call,
// drawn with OpenGL ES 3 — WebGL 2 in the browser. The state model
// (Context) checks and keeps the state; the Renderer draws.
//
// The names: the layer defines the GL 1.1 C names itself (GLNames.cpp), so a
// program that links it must not link libGL, whose glEnable etc. would clash
// with them, and the layer reaches ES only through the function table of
// GlesApi, never by name. The web build links the layer and fills the table
// from emscripten's emscripten_gl* aliases. Natively, its tests load it as a
// module (RTLD_LOCAL, so its names stay out of the process's namespace) beside
// Mesa's libGL, which draws the same scenes for comparison, and fill the table
// from an ES context's GetProcAddress; the benchmark links it into a program
// that links no libGL at all.
#pragma once

#include "webgl/Context.h"
#include "webgl/GlesApi.h"
#include "webgl/Renderer.h"

namespace webgl {

class Layer {
public:
    // Needs the ES 3 context current; throws std::runtime_error when the
    // shaders do not build.
    explicit Layer(const GlesApi& api);
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    Context& context() { return model; }
    Renderer& renderer() { return drawing; }
    // A fresh GL state and no textures, as a new context would have.
    void reset();

private:
    Renderer drawing;
    Context model;
};

// Makes `layer` the one the gl*/glu* names drive; nullptr detaches it, and
// the names then keep state but draw nothing.
void attach(Layer* layer);

}  // namespace webgl
