// GLWindow on SDL2: opens the one rendering window, makes its OpenGL context,
// keeps the perspective projection in step with the window size, and routes
// SDL events to the application object as the demo's window procedure.
#include "shell/GLWindow.h"

#include <GL/gl.h>

#include <atomic>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "demo/InitialGLState.h"
#include "shell/CError.h"
#include "shell/ForcedExit.h"
#include "shell/OffscreenTarget.h"
#include "shell/QuitRequest.h"
#include "shell/WindowIcon.h"

GLApplication* currentApp = nullptr;

namespace {

// The window a fullscreen run switched the display's mode for, for a forced
// exit to switch back from another thread.
std::atomic<SDL_Window*> modeSwitchedWindow{nullptr};

void restoreDisplayMode() {
    if (SDL_Window* window = modeSwitchedWindow.load()) SDL_SetWindowFullscreen(window, 0);
}

// How desktops tell the demo's windows apart and match them with the menu
// entry: the X11 window class, and on Wayland the entry's own id. A value the
// player set in the environment stays.
constexpr const char* x11WindowClass = "velmora";
constexpr const char* waylandAppId = "org.orvak.velmora";

// Frame metrics of the window style the demo was laid out with.
constexpr int captionHeightPx = 19;
constexpr int sizingBorderPx = 4;

// The display mode fullscreen play asks for; fixed, not the window's size.
constexpr int fullscreenModeWidth = 640;
constexpr int fullscreenModeHeight = 480;

bool isSupportedColourDepth(int bitsPerPixel) {
    return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

// Requests an RGBA, double-buffered framebuffer with `bitsPerPixel` colour
// bits, no alpha, stencil or accumulation bits. False when SDL refuses one.
bool requestPixelFormat(int bitsPerPixel, int depthBits) {
    const int channelBits = bitsPerPixel == 16 ? 5 : 8;
    const std::pair<SDL_GLattr, int> attributes[] = {
        {SDL_GL_RED_SIZE, channelBits},
        {SDL_GL_GREEN_SIZE, channelBits},
        {SDL_GL_BLUE_SIZE, channelBits},
        {SDL_GL_ALPHA_SIZE, 0},
        {SDL_GL_BUFFER_SIZE, bitsPerPixel},
        {SDL_GL_DOUBLEBUFFER, 1},
        {SDL_GL_DEPTH_SIZE, depthBits},
        {SDL_GL_STENCIL_SIZE, 0},
        {SDL_GL_ACCUM_RED_SIZE, 0},
        {SDL_GL_ACCUM_GREEN_SIZE, 0},
        {SDL_GL_ACCUM_BLUE_SIZE, 0},
        {SDL_GL_ACCUM_ALPHA_SIZE, 0},
    };
    for (const auto& [attribute, value] : attributes) {
        if (SDL_GL_SetAttribute(attribute, value) != 0) return false;
    }
    return true;
}

SDL_Window* ownerWindow() {
    auto* glWindow = dynamic_cast<GLWindow*>(currentApp);
    return glWindow != nullptr ? glWindow->window : nullptr;
}

// A failure inside event handling is reported over the rendering window and
// handling goes on, so one bad frame or resize does not end the run.
template <typename Step>
void protectedCall(Step step) {
    try {
        step();
    } catch (const CError& error) {
        error.show(ownerWindow());
    } catch (...) {
        showError("Unknown error", ownerWindow());
    }
}

// A full queue or an event filter can refuse the quit; the message loop then
// ends on the request instead, before it renders another frame.
void postQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    if (SDL_PushEvent(&quit) != 1) requestQuit();
}

// The pause after the first frame, cut short by a signal so that the program
// ends within a second of it.
void pauseUnlessQuit(Uint32 milliseconds) {
    const Uint64 end = SDL_GetTicks64() + milliseconds;
    while (!quitRequested() && SDL_GetTicks64() < end) SDL_Delay(10);
}

// Closing never destroys the window: it only lets go of the context and asks
// the message loop to end.
void closePath() {
    protectedCall([] { currentApp->shutdownGL(); });
    postQuit();
}

}  // namespace

int framedClientHeight(int requestedHeight) {
    const int adjustedLeft = -sizingBorderPx;
    const int adjustedBottom = requestedHeight + sizingBorderPx;
    const int windowHeight = adjustedBottom - adjustedLeft;
    return windowHeight - captionHeightPx - 2 * sizingBorderPx;
}

// There is no module handle to fetch on this platform, so "Error getting the
// application instance handle" cannot occur; starting the video subsystem
// takes the place of registering the window class.
GLWindow::GLWindow(std::string title, WindowProcedure windowProcedure, int width, int height,
                   int bitsPerPixel, bool fullscreen)
    : fullscreen(fullscreen),
      width(width),
      height(height),
      bitsPerPixel(bitsPerPixel),
      title(std::move(title)),
      windowProcedure(windowProcedure) {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", x11WindowClass, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", waylandAppId, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw CError("Error registering the main window class");
    }
}

GLWindow::~GLWindow() {
    if (modeSwitchedWindow.load() == window) {
        setForcedExitUndo(nullptr);
        modeSwitchedWindow.store(nullptr);
    }
    shutdownGL();
    if (window != nullptr) SDL_DestroyWindow(window);
    if (currentApp == this) currentApp = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SDL_Window* GLWindow::openWindow(Uint32 flags, int windowWidth, int windowHeight) {
    return SDL_CreateWindow(title.c_str(), 0, 0, windowWidth, windowHeight, flags);
}

void GLWindow::createWindow() {
    // Hidden until the context and the initial GL state exist, as a window
    // is not shown before its creation message has been handled. A screen of
    // high density gets its full resolution, which the picture is scaled to.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    const int windowHeight = pictureSize().y;
    if (fullscreen) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN;

    // On X11 and Wayland the framebuffer configuration is fixed when the
    // window is made, so the pixel format is requested before creation; the
    // depth buffer falls back to 24 bits where 32 are not granted. Without
    // any OpenGL configuration the window is still made, and createContext
    // reports the missing pixel format with it as the owner.
    if (isSupportedColourDepth(bitsPerPixel)) {
        for (int depth : {32, 24}) {
            if (!requestPixelFormat(bitsPerPixel, depth)) continue;
            window = openWindow(flags | SDL_WINDOW_OPENGL, width, windowHeight);
            if (window != nullptr) {
                depthBits = depth;
                break;
            }
        }
    } else {
        // createContext turns the colour depth down over this window.
        window = openWindow(flags | SDL_WINDOW_OPENGL, width, windowHeight);
    }
    if (window == nullptr) window = openWindow(flags, width, windowHeight);
    if (window == nullptr) throw CError("Error creating the main rendering window");

    // No creation parameter travels with an SDL window, so the original's
    // "Error trying to initialize the opengl window" has no counterpart.
    currentApp = this;
    bool created = false;
    protectedCall([this, &created] {
        createContext(window);
        initGL();
        created = true;
    });
    if (!created) closePath();
    setWindowIcon(window);

    // Any size will do for a window whose picture can be scaled; without
    // framebuffer objects it keeps the size the scenes are drawn for.
    if (!fullscreen && glContext != nullptr && OffscreenTarget::available()) {
        SDL_SetWindowResizable(window, SDL_TRUE);
    }
    SDL_ShowWindow(window);
    if (!fullscreen) placeFrameAtTheCorner();
    if (fullscreen && glContext != nullptr) scaleToScreen();
    const SDL_Point size = fitPictureToWindow();
    protectedCall([this, size] { resize(size.x, size.y); });
    protectedCall([this] { renderFrame(); });

    SDL_ShowCursor(SDL_DISABLE);
    pauseUnlessQuit(2000);
}

// SDL puts the client area where it is asked and the frame around it, so on
// a system that draws the frame itself (Windows) the caption would sit above
// the screen's top edge. The frame's corner goes to the desktop's corner, as
// a window made at (0, 0) has it; without a frame nothing moves.
void GLWindow::placeFrameAtTheCorner() {
    int top = 0;
    int left = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) != 0) return;
    if (top > 0 || left > 0) SDL_SetWindowPosition(window, left, top);
}

// Showing the window made the mode switch; where the display did not end up
// in the demo's mode, frames are still drawn at the requested size, into an
// offscreen target, and each is scaled to the whole screen as it is shown.
void GLWindow::scaleToScreen() {
    const int displayIndex = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode{};
    SDL_Rect screen{};
    if (SDL_GetCurrentDisplayMode(displayIndex, &mode) != 0 ||
        SDL_GetDisplayBounds(displayIndex, &screen) != 0) {
        return;
    }
    if (mode.w == fullscreenModeWidth && mode.h == fullscreenModeHeight) return;

    std::string whyNot;
    offscreen = OffscreenTarget::create(width, height, whyNot);
    if (!offscreen) {
        std::fprintf(stderr, "velmora: the picture is not scaled to the %d x %d screen: %s\n",
                     mode.w, mode.h, whyNot.c_str());
        toldNotScaled = true;
        return;
    }
    // Without a window manager nothing enlarges a fullscreen window, and SDL
    // ignores new sizes for one: sized while windowed, it covers the screen
    // either way once it is fullscreen again.
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowPosition(window, screen.x, screen.y);
    SDL_SetWindowSize(window, screen.w, screen.h);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
}

SDL_Point GLWindow::pictureSize() const {
    return SDL_Point{width, fullscreen ? height : framedClientHeight(height)};
}

SDL_Point GLWindow::fitPictureToWindow() {
    SDL_Point drawable{0, 0};
    SDL_GL_GetDrawableSize(window, &drawable.x, &drawable.y);
    if (glContext == nullptr) return drawable;
    const SDL_Point picture = pictureSize();
    if (drawable.x == picture.x && drawable.y == picture.y) {
        offscreen.reset();
        return picture;
    }
    if (!offscreen) {
        std::string whyNot;
        offscreen = OffscreenTarget::create(picture.x, picture.y, whyNot);
        if (!offscreen) {
            if (!toldNotScaled) {
                std::fprintf(stderr, "velmora: the picture is not scaled to the %d x %d window: %s\n",
                             drawable.x, drawable.y, whyNot.c_str());
            }
            toldNotScaled = true;
            return drawable;
        }
    }
    return picture;
}

void GLWindow::createContext(SDL_Window* window) {
    if (window == nullptr) throw CError("Error getting the window DC");
    if (!isSupportedColourDepth(bitsPerPixel)) throw CError("Invalid BPP parameter");
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) {
        throw CError("Invalid choose pixel format");
    }
    if (!requestPixelFormat(bitsPerPixel, depthBits)) throw CError("Invalid pixel format");

    glContext = SDL_GL_CreateContext(window);
    if (glContext == nullptr) throw CError("Error getting the window DC");
    // Creation already made it current; a failure here would show up as a
    // blank window, not as a report.
    SDL_GL_MakeCurrent(window, glContext);

    if (fullscreen) {
        SDL_DisplayMode mode{};
        mode.format = SDL_PIXELFORMAT_RGB888;  // 32 bits per pixel
        mode.w = fullscreenModeWidth;
        mode.h = fullscreenModeHeight;
        // Not checked: where the mode cannot be had the window still covers
        // the display at its current mode.
        SDL_SetWindowDisplayMode(window, &mode);
        modeSwitchedWindow.store(window);
        setForcedExitUndo(restoreDisplayMode);
    }

    // The scenes move by a fixed step per drawn frame, which is meant for a
    // display-paced loop: adaptive vsync where offered, plain vsync otherwise.
    if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
}

void GLWindow::shutdownGL() {
    if (glContext == nullptr) return;
    offscreen.reset();
    // With no context current, later GL calls (the scenes' destructors) are
    // swallowed by the dispatcher instead of reaching a deleted context.
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(glContext);
    glContext = nullptr;
}

void GLWindow::resize(int width, int height) { applyWindowProjection(width, height); }

void GLWindow::present() {
    if (glContext == nullptr || window == nullptr) return;
#ifdef VELMORA_GL_CHECKS
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        std::fprintf(stderr, "velmora: GL error 0x%04x\n", static_cast<unsigned>(error));
    }
#endif
    if (offscreen) {
        int screenWidth = 0;
        int screenHeight = 0;
        SDL_GL_GetDrawableSize(window, &screenWidth, &screenHeight);
        offscreen->present(screenWidth, screenHeight);
    }
    SDL_GL_SwapWindow(window);
}

void windowProc(const SDL_Event& event) {
    if (currentApp == nullptr) return;
    switch (event.type) {
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            // The scenes hear of the size they draw at, not of a window their
            // picture is scaled to.
            SDL_Point size{event.window.data1, event.window.data2};
            if (auto* glWindow = dynamic_cast<GLWindow*>(currentApp)) {
                if (glWindow->window != nullptr) size = glWindow->fitPictureToWindow();
            }
            protectedCall([size] { currentApp->resize(size.x, size.y); });
            break;
        }
        case SDL_WINDOWEVENT_EXPOSED:
            protectedCall([] { currentApp->renderFrame(); });
            break;
        case SDL_WINDOWEVENT_CLOSE:
            closePath();
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
        // Deliberately outside a protected call: a failure here ends the run.
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            currentApp->shutdownGL();
            postQuit();
        }
        break;
    case SDL_QUIT:
        // The quit in hand already ends the message loop; posting another
        // would only leave it queued.
        protectedCall([] { currentApp->shutdownGL(); });
        break;
    default:
        break;
    }
}
