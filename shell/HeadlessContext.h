// HeadlessContext: a real OpenGL context that shows nothing on screen — the
// demo's picture for the capture tool, the benchmark and the real-context
// tests. Without a display SDL's offscreen driver renders into an EGL pbuffer
// on Mesa; with one, a hidden window holds the context.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <vector>

class HeadlessContext {
public:
    // Throws std::runtime_error with SDL's reason when no context can be
    // made; SDL's video subsystem is then left as it was found.
    HeadlessContext(int width, int height);
    ~HeadlessContext();
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

    // RGBA bytes of the back buffer, rows bottom-up as glReadPixels gives
    // them; the caller's read buffer and pack alignment are left as they were.
    std::vector<std::uint8_t> readPixels(int x, int y, int width, int height) const;
    void readPixels(int x, int y, int width, int height, std::uint8_t* rgba) const;
    // One pixel of the back buffer, (0, 0) at the bottom left.
    std::array<std::uint8_t, 4> pixel(int x, int y) const;
    void present();

    int width() const { return contextWidth; }
    int height() const { return contextHeight; }
    SDL_Window* window() const { return sdlWindow; }

private:
    // Owns SDL's video subsystem; declared first so it outlives the window.
    struct VideoSubsystem {
        VideoSubsystem();
        ~VideoSubsystem();
        VideoSubsystem(const VideoSubsystem&) = delete;
        VideoSubsystem& operator=(const VideoSubsystem&) = delete;
    };

    int contextWidth;
    int contextHeight;
    VideoSubsystem video;
    SDL_Window* sdlWindow = nullptr;
    SDL_GLContext context = nullptr;
};
