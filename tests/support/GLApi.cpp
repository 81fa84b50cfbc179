// GLApi: filling the entry-point table from the linked libGL or by dlsym
// from a module.
#include "tests/support/GLApi.h"

#include <dlfcn.h>

#include <stdexcept>

GLApi realGLApi() {
    GLApi api;
#define VELMORA_GL_REAL(name) api.name = &::name;
    VELMORA_GL_API(VELMORA_GL_REAL)
#undef VELMORA_GL_REAL
    return api;
}

GLModule::GLModule(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw std::runtime_error(std::string("dlopen: ") + dlerror());
    try {
#define VELMORA_GL_LOADED(name) table.name = reinterpret_cast<decltype(table.name)>(symbol(#name));
        VELMORA_GL_API(VELMORA_GL_LOADED)
#undef VELMORA_GL_LOADED
    } catch (...) {
        dlclose(handle);
        throw;
    }
}

GLModule::~GLModule() { dlclose(handle); }

void* GLModule::symbol(const char* name) const {
    void* found = dlsym(handle, name);
    if (!found)
        throw std::runtime_error(std::string("GL module lacks ") + name);
    return found;
}
