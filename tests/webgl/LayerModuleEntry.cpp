// Entry points of the web layer built as a loadable module, so a test that
// also links Mesa's libGL can attach it to an OpenGL ES context of its own.
#include "webgl/Layer.h"

#include <exception>
#include <memory>
#include <string>

namespace {
std::unique_ptr<webgl::Layer> layer;
std::string lastError;
}  // namespace

// Null when attached, else why not. The ES context must be current.
extern "C" __attribute__((visibility("default"))) const char* velmoraLayerAttach(
    void* (*getProcAddress)(const char*)) {
    try {
        layer = std::make_unique<webgl::Layer>(webgl::GlesApi::load(getProcAddress));
        webgl::attach(layer.get());
        return nullptr;
    } catch (const std::exception& error) {
        lastError = error.what();
        return lastError.c_str();
    }
}

extern "C" __attribute__((visibility("default"))) void velmoraLayerDetach() {
    webgl::attach(nullptr);
    layer.reset();
}
