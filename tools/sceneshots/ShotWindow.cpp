// ShotWindow: window, context and the demo's initial GL state (clear colour,
// smooth shading, depth test, the 45° perspective of the first resize).
#include "tools/sceneshots/ShotWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& step) {
    throw std::runtime_error(step + ": " + SDL_GetError());
}

}  // namespace

ShotWindow::VideoSubsystem::VideoSubsystem() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) fail("SDL_InitSubSystem");
}

ShotWindow::VideoSubsystem::~VideoSubsystem() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

ShotWindow::ShotWindow(bool visible) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    const Uint32 flags = SDL_WINDOW_OPENGL | (visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    window = SDL_CreateWindow("Velmora scene shots", 0, 0, width, height, flags);
    if (window == nullptr) fail("SDL_CreateWindow");
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        const std::string reason = SDL_GetError();
        SDL_DestroyWindow(window);
        throw std::runtime_error("SDL_GL_CreateContext: " + reason);
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);

    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height), 0.1, 10000.0);
    glMatrixMode(GL_MODELVIEW);
}

ShotWindow::~ShotWindow() {
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
}

void ShotWindow::present() { SDL_GL_SwapWindow(window); }

bool ShotWindow::saveBackBuffer(const std::string& path) const {
    std::vector<std::uint8_t> bottomUp(std::size_t(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());

    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888),
        SDL_FreeSurface);
    if (!surface) fail("SDL_CreateRGBSurfaceWithFormat");
    const std::size_t rowBytes = std::size_t(width) * 4;
    auto* target = static_cast<std::uint8_t*>(surface->pixels);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = target + std::size_t(y) * surface->pitch;
        std::memcpy(row, &bottomUp[std::size_t(height - 1 - y) * rowBytes], rowBytes);
        for (int x = 0; x < width; ++x) row[x * 4 + 3] = 255;  // the demo's alpha means nothing
    }
    if (SDL_SaveBMP(surface.get(), path.c_str()) != 0) fail("SDL_SaveBMP " + path);

    // Pixels that differ clearly from the bottom-left one.
    std::size_t differing = 0;
    for (std::size_t i = 0; i < bottomUp.size(); i += 4) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) distance += std::abs(int(bottomUp[i + c]) - int(bottomUp[c]));
        if (distance > 24) ++differing;
    }
    return differing * 100 >= std::size_t(width) * height;  // at least 1 %
}
