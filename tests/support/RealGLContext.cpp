// RealGLContext: a hidden SDL window with a current Mesa context, so tests can
// run the demo's GL calls for real and read back state and pixels.
#include "tests/support/RealGLContext.h"

#include <GL/gl.h>

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void fail(const char* step) {
    throw std::runtime_error(std::string(step) + ": " + SDL_GetError());
}

}  // namespace

RealGLContext::VideoSubsystem::VideoSubsystem() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        fail("SDL_InitSubSystem(SDL_INIT_VIDEO)");
}

RealGLContext::VideoSubsystem::~VideoSubsystem() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

RealGLContext::RealGLContext(int width, int height) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    sdlWindow = SDL_CreateWindow("Velmora test", 0, 0, width, height,
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdlWindow)
        fail("SDL_CreateWindow");
    context = SDL_GL_CreateContext(sdlWindow);
    if (!context) {
        const std::string reason = SDL_GetError();
        SDL_DestroyWindow(sdlWindow);
        throw std::runtime_error("SDL_GL_CreateContext: " + reason);
    }
    if (SDL_GL_MakeCurrent(sdlWindow, context) != 0) {
        const std::string reason = SDL_GetError();
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(sdlWindow);
        throw std::runtime_error("SDL_GL_MakeCurrent: " + reason);
    }
}

RealGLContext::~RealGLContext() {
    SDL_GL_MakeCurrent(sdlWindow, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(sdlWindow);
}

std::vector<std::uint8_t> RealGLContext::readPixels(int x, int y, int width, int height) const {
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    // Leave the caller's read state as it was: tests compare GL state too.
    GLint readBuffer = GL_BACK;
    GLint alignment = 4;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    glReadBuffer(static_cast<GLenum>(readBuffer));
    return pixels;
}

std::array<std::uint8_t, 4> RealGLContext::pixel(int x, int y) const {
    const auto one = readPixels(x, y, 1, 1);
    return {one[0], one[1], one[2], one[3]};
}

void RealGLContext::present() { SDL_GL_SwapWindow(sdlWindow); }
