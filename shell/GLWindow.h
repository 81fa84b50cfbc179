// GLWindow: the rendering window and its OpenGL context on SDL2 — the window,
// the context with the requested colour depth, the fullscreen display mode,
// the projection set on every resize, and the window procedure that routes
// SDL events to the one application object (`currentApp`).
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "shell/GLApplication.h"

class OffscreenTarget;

// Handles one SDL event for `currentApp` (the Win32 window procedure's place).
using WindowProcedure = void (*)(const SDL_Event& event);

class GLWindow : public GLApplication {
public:
    GLWindow(std::string title, WindowProcedure windowProcedure, int width, int height,
             int bitsPerPixel, bool fullscreen);
    ~GLWindow() override;
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    void shutdownGL() override;
    void resize(int width, int height) override;
    virtual void createContext(SDL_Window* window);

    // Creates and shows the window: context + initGL (protected), the first
    // resize and the first frame, cursor hidden, then the 2000 ms pause.
    void createWindow();
    // SDL_GL_SwapWindow on the rendering window, after scaling the picture
    // to the screen when it was drawn offscreen.
    void present();
    // The size frames are drawn at in a window of the given size: the
    // window's own, or the requested one while the picture is scaled.
    SDL_Point drawingSize(int windowWidth, int windowHeight) const;

    bool fullscreen;
    int width;
    int height;
    int bitsPerPixel;
    SDL_Window* window = nullptr;
    SDL_GLContext glContext = nullptr;

protected:
    std::string title;
    WindowProcedure windowProcedure;

private:
    // Depth-buffer bits the window's visual was chosen with: 32, or 24 where
    // the system grants no 32-bit depth buffer.
    int depthBits = 32;
    // Only while a fullscreen picture is scaled to a screen of another mode.
    std::unique_ptr<OffscreenTarget> offscreen;

    SDL_Window* openWindow(Uint32 flags, int windowWidth, int windowHeight);
    void scaleToScreen();
};

// The application the window procedure talks to; set when the window is made.
extern GLApplication* currentApp;

// The demo's window procedure: resize, expose, Escape, close and quit.
void windowProc(const SDL_Event& event);

// Client height of a framed window made the way the original sized it: the
// adjusted rectangle's bottom minus its *left* edge, so the client area comes
// out one caption shorter than asked (480 gives 461).
int framedClientHeight(int requestedHeight);
