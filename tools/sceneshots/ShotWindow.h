// ShotWindow: the screenshot tool's window, a 640 × 461 SDL window (the demo's
// windowed client size) with a real OpenGL context, set up as the demo's
// window is, and able to save its back buffer as a .bmp file.
#pragma once

#include <SDL.h>

#include <string>

class ShotWindow {
public:
    static constexpr int width = 640;
    static constexpr int height = 461;

    // Throws std::runtime_error with SDL's reason.
    explicit ShotWindow(bool visible);
    ~ShotWindow();
    ShotWindow(const ShotWindow&) = delete;
    ShotWindow& operator=(const ShotWindow&) = delete;

    // Writes the back buffer, top row first, to `path` with SDL_SaveBMP.
    // Returns false when the picture is (nearly) one flat colour, which for
    // any scene means something failed to draw.
    bool saveBackBuffer(const std::string& path) const;
    void present();

private:
    struct VideoSubsystem {
        VideoSubsystem();
        ~VideoSubsystem();
    };
    VideoSubsystem video;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};
