// GLApi: filling the entry-point table from the linked libGL or by dlsym
// from the recording GL module.
#include "tests/supporttests/GLApi.h"

#include <dlfcn.h>

#include <stdexcept>

GLApi realGLApi() {
    GLApi api;
#define VELMORA_GL_REAL(name) api.name = &::name;
    VELMORA_GL_API(VELMORA_GL_REAL)
#undef VELMORA_GL_REAL
    return api;
}

namespace {

void* symbol(void* handle, const char* name) {
    void* found = dlsym(handle, name);
    if (!found)
        throw std::runtime_error(std::string("recording GL module lacks ") + name);
    return found;
}

}  // namespace

RecordingModule::RecordingModule(const std::string& path) {
    // RTLD_LOCAL keeps the module's gl* out of the global scope, so the
    // binary's own calls still reach Mesa.
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw std::runtime_error(std::string("dlopen: ") + dlerror());
    try {
#define VELMORA_GL_LOADED(name) \
    table.name = reinterpret_cast<decltype(table.name)>(symbol(handle, #name));
        VELMORA_GL_API(VELMORA_GL_LOADED)
#undef VELMORA_GL_LOADED
        resetEntry = reinterpret_cast<void (*)()>(symbol(handle, "velmoraRecordingReset"));
        primitivesEntry = reinterpret_cast<const std::vector<recgl::Primitive>* (*)()>(
            symbol(handle, "velmoraRecordingPrimitives"));
    } catch (...) {
        dlclose(handle);
        throw;
    }
}

RecordingModule::~RecordingModule() { dlclose(handle); }

void RecordingModule::reset() const { resetEntry(); }
