// RealGLContext: a hidden SDL window with a real Mesa (llvmpipe) OpenGL
// context, for tests that read back GL state with glGet* and pixels with
// glReadPixels. Needs a display (scripts/test starts Xvfb).
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

class RealGLContext {
public:
    // Throws std::runtime_error with SDL's reason when no context can be made.
    explicit RealGLContext(int width = 640, int height = 480);
    ~RealGLContext();
    RealGLContext(const RealGLContext&) = delete;
    RealGLContext& operator=(const RealGLContext&) = delete;

    // RGBA bytes of the back buffer, rows bottom-up as glReadPixels gives them.
    std::vector<std::uint8_t> readPixels(int x, int y, int width, int height) const;
    // One pixel of the back buffer, (0, 0) at the bottom left.
    std::array<std::uint8_t, 4> pixel(int x, int y) const;
    void present();
    SDL_Window* window() const { return sdlWindow; }

private:
    // Owns SDL's video subsystem; declared first so it outlives the window.
    struct VideoSubsystem {
        VideoSubsystem();
        ~VideoSubsystem();
        VideoSubsystem(const VideoSubsystem&) = delete;
        VideoSubsystem& operator=(const VideoSubsystem&) = delete;
    };

    VideoSubsystem video;
    SDL_Window* sdlWindow = nullptr;
    SDL_GLContext context = nullptr;
};
