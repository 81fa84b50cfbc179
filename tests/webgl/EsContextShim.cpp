// EsContextShim: turns every OpenGL context a test program makes into an
// OpenGL ES 3.0 one with the web layer attached — so the real-context scene
// and object tests, written for Mesa's GL, run unchanged through the layer.
// It stands in for SDL's window and context calls (the program's own
// definitions win over libSDL2's) and hands on to SDL's by dlsym.
#include <SDL.h>
#include <dlfcn.h>

#include "webgl/Layer.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The layer on the context made last. Its context may be gone before it is
// (a test's context is deleted; at exit SDL has unloaded the driver), so it
// is told so first and never sends its deletes into nothing.
struct Attached {
    std::unique_ptr<webgl::Layer> layer;
    SDL_GLContext context = nullptr;
    void drop() {
        webgl::attach(nullptr);
        if (layer) layer->renderer().contextLost();
        layer.reset();
        context = nullptr;
    }
    ~Attached() { drop(); }
} attached;

template <typename Function>
Function sdl(const char* name) {
    auto* found = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
    if (found == nullptr) {
        std::fprintf(stderr, "EsContextShim: SDL lacks %s\n", name);
        std::abort();
    }
    return found;
}

}  // namespace

extern "C" SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h,
                                        Uint32 flags) {
    static const auto real = sdl<decltype(&SDL_CreateWindow)>("SDL_CreateWindow");
    if (flags & SDL_WINDOW_OPENGL) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    }
    return real(title, x, y, w, h, flags);
}

// A new context is current once made: the layer starts on it.
extern "C" SDL_GLContext SDL_GL_CreateContext(SDL_Window* window) {
    static const auto real = sdl<decltype(&SDL_GL_CreateContext)>("SDL_GL_CreateContext");
    SDL_GLContext context = real(window);
    if (context != nullptr) {
        attached.drop();
        attached.layer = std::make_unique<webgl::Layer>(webgl::GlesApi::load(SDL_GL_GetProcAddress));
        attached.context = context;
        webgl::attach(attached.layer.get());
    }
    return context;
}

extern "C" void SDL_GL_DeleteContext(SDL_GLContext context) {
    static const auto real = sdl<decltype(&SDL_GL_DeleteContext)>("SDL_GL_DeleteContext");
    if (context != nullptr && context == attached.context)
        attached.drop();
    real(context);
}
