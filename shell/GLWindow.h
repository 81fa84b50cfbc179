// GLWindow: the rendering window and its OpenGL context on SDL2 — the window,
// the context with the requested colour depth, the fullscreen display mode,
// the picture kept at its own size and scaled to whatever size the window
// takes, and the window procedure that routes SDL events to the one
// application object (`currentApp`).
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
    // to the window when it was drawn offscreen.
    void present();
    // Called when the window's size changed: frames go offscreen while the
    // drawable is not the picture's own size, straight to the window again
    // when it is. Returns the size frames are now drawn at, the one the
    // scenes are told of: the picture's own (640 x 461 framed, 640 x 480
    // fullscreen) whenever it can be scaled.
    SDL_Point fitPictureToWindow();
    // The size the demo's picture is made at in this window's mode.
    SDL_Point pictureSize() const;

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
    // Only while the picture is scaled to a drawable of another size.
    std::unique_ptr<OffscreenTarget> offscreen;
    // Told once: the window keeps a size the picture cannot be scaled to.
    bool toldNotScaled = false;

    SDL_Window* openWindow(Uint32 flags, int windowWidth, int windowHeight);
    void scaleToScreen();
    void placeFrameAtTheCorner();
};

// The application the window procedure talks to; set when the window is made.
extern GLApplication* currentApp;

// The demo's window procedure: resize, expose, Escape, close and quit.
void windowProc(const SDL_Event& event);

// Client height of a framed window made the way the original sized it: the
// adjusted rectangle's bottom minus its *left* edge, so the client area comes
// out one caption shorter than asked (480 gives 461).
int framedClientHeight(int requestedHeight);
