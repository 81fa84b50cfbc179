// Layer: the renderer and the model joined, and the context the C names
// reach in a program that links the layer.
#include "webgl/Layer.h"

namespace webgl {

namespace {

struct Detached : Backend {
    void primitive(GLenum, const std::vector<Vertex>&) override {}
};

Layer* attached = nullptr;

Context& detachedContext() {
    static Detached nothing;
    static Context context(nothing, {"Velmora", "Velmora GL layer (detached)", "1.1 Velmora"});
    return context;
}

}  // namespace

Layer::Layer(const GlesApi& api)
    : drawing(api), model(drawing, {"Velmora", "Velmora GL layer on OpenGL ES 3", "1.1 Velmora"}) {
    drawing.attach(model);
}

void Layer::reset() {
    drawing.reset();
    model.reset();
}

void attach(Layer* layer) { attached = layer; }

Context& current() { return attached ? attached->context() : detachedContext(); }

}  // namespace webgl
