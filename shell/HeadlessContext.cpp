// HeadlessContext: picks the offscreen driver when there is no display, asks
// for the framebuffer the tools and tests have always drawn into, and reads
// the back buffer without disturbing the state a test is about to check.
#include "shell/HeadlessContext.h"

#include <GL/gl.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void fail(const char* step) {
    throw std::runtime_error(std::string(step) + ": " + SDL_GetError());
}

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

HeadlessContext::VideoSubsystem::VideoSubsystem() {
    // Only a default: SDL_VIDEODRIVER in the environment still wins.
    if (!hasDisplay()) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_DEFAULT);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) fail("SDL_InitSubSystem(SDL_INIT_VIDEO)");
}

HeadlessContext::VideoSubsystem::~VideoSubsystem() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

HeadlessContext::HeadlessContext(int width, int height)
    : contextWidth(width), contextHeight(height) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    sdlWindow = SDL_CreateWindow("Velmora", 0, 0, width, height,
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (sdlWindow == nullptr) fail("SDL_CreateWindow");
    context = SDL_GL_CreateContext(sdlWindow);
    if (context == nullptr || SDL_GL_MakeCurrent(sdlWindow, context) != 0) {
        const std::string reason = SDL_GetError();
        if (context != nullptr) SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(sdlWindow);
        throw std::runtime_error("SDL_GL_CreateContext: " + reason);
    }
    // Frames go as fast as they are drawn: nobody watches them.
    SDL_GL_SetSwapInterval(0);
}

HeadlessContext::~HeadlessContext() {
    SDL_GL_MakeCurrent(sdlWindow, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(sdlWindow);
}

void HeadlessContext::readPixels(int x, int y, int width, int height, std::uint8_t* rgba) const {
    GLint readBuffer = GL_BACK;
    GLint alignment = 4;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    glReadBuffer(static_cast<GLenum>(readBuffer));
}

std::vector<std::uint8_t> HeadlessContext::readPixels(int x, int y, int width, int height) const {
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    readPixels(x, y, width, height, pixels.data());
    return pixels;
}

std::array<std::uint8_t, 4> HeadlessContext::pixel(int x, int y) const {
    std::array<std::uint8_t, 4> one{};
    readPixels(x, y, 1, 1, one.data());
    return one;
}

void HeadlessContext::present() { SDL_GL_SwapWindow(sdlWindow); }
