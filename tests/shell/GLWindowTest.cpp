// GLWindow against a real Mesa context under X: the colour-depth check, the
// window and frame sizes, the projection set on resize, releasing the
// context (twice), GL calls made after it is gone, and fullscreen on a
// display that keeps another mode.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <cmath>
#include <string>
#include <vector>

#include "shell/CError.h"
#include "shell/GLWindow.h"

namespace {

class ProbeWindow : public GLWindow {
public:
    explicit ProbeWindow(int bitsPerPixel = 32, bool fullscreen = false)
        : GLWindow("Orvak 2002 - Velmora", windowProc, 640, 480, bitsPerPixel, fullscreen) {}

    std::vector<std::string> calls;

    void initGL() override { calls.push_back("initGL"); }
    bool renderFrame() override {
        calls.push_back("renderFrame");
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        present();
        return false;
    }
    void resize(int width, int height) override {
        calls.push_back("resize " + std::to_string(width) + "x" + std::to_string(height));
        GLWindow::resize(width, height);
    }
};

// A hidden OpenGL-capable window made outside GLWindow, for createContext.
class BareWindow {
public:
    explicit BareWindow(Uint32 flags = SDL_WINDOW_OPENGL)
        : window(SDL_CreateWindow("bare", 0, 0, 640, 480, SDL_WINDOW_HIDDEN | flags)) {}
    ~BareWindow() {
        if (window != nullptr) SDL_DestroyWindow(window);
    }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;
    SDL_Window* window;
};

std::string thrownText(ProbeWindow& probe, SDL_Window* window) {
    try {
        probe.createContext(window);
    } catch (const CError& error) {
        return error.message();
    }
    return "(nothing thrown)";
}

const double focalLength = 1.0 / std::tan(22.5 * M_PI / 180.0);

}  // namespace

TEST(GLWindowFrame, FramedClientHeightComesOutOneCaptionShort) {
    EXPECT_EQ(framedClientHeight(480), 461);
    EXPECT_EQ(framedClientHeight(19), 0);
}

TEST(GLWindowContext, UnsupportedColourDepthsAreRefusedBeforeAnyContextExists) {
    ProbeWindow probe8(8);
    BareWindow bare;
    ASSERT_NE(bare.window, nullptr) << SDL_GetError();
    EXPECT_EQ(thrownText(probe8, bare.window), "Invalid BPP parameter");
    EXPECT_EQ(probe8.glContext, nullptr);

    ProbeWindow probe15(15);
    EXPECT_EQ(thrownText(probe15, bare.window), "Invalid BPP parameter");
    ProbeWindow probe0(0);
    EXPECT_EQ(thrownText(probe0, bare.window), "Invalid BPP parameter");
}

TEST(GLWindowContext, MissingWindowAndNonOpenGLWindowAreReported) {
    ProbeWindow probe;
    EXPECT_EQ(thrownText(probe, nullptr), "Error getting the window DC");
    BareWindow plain(0);
    ASSERT_NE(plain.window, nullptr) << SDL_GetError();
    EXPECT_EQ(thrownText(probe, plain.window), "Invalid choose pixel format");
    EXPECT_EQ(probe.glContext, nullptr);
}

TEST(GLWindowContext, EachSupportedDepthGetsACurrentContext) {
    for (int bits : {16, 24, 32}) {
        ProbeWindow probe(bits);
        BareWindow bare;
        ASSERT_NE(bare.window, nullptr) << SDL_GetError();
        probe.createContext(bare.window);
        ASSERT_NE(probe.glContext, nullptr) << bits;
        EXPECT_EQ(SDL_GL_GetCurrentContext(), probe.glContext) << bits;
        EXPECT_NE(glGetString(GL_VERSION), nullptr) << bits;
        probe.shutdownGL();
    }
}

TEST(GLWindowContext, ShutdownTwiceIsHarmlessAndLaterGLCallsAreSwallowed) {
    ProbeWindow probe;
    BareWindow bare;
    probe.createContext(bare.window);
    ASSERT_NE(probe.glContext, nullptr);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    ASSERT_NE(texture, 0u);

    probe.shutdownGL();
    EXPECT_EQ(probe.glContext, nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    probe.shutdownGL();
    EXPECT_EQ(probe.glContext, nullptr);

    // What the scenes' destructors do after Escape: no context is current,
    // so the calls go nowhere instead of into freed memory.
    glDeleteTextures(1, &texture);
    glClear(GL_COLOR_BUFFER_BIT);
    probe.resize(640, 480);
    probe.present();
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLWindowResize, ZeroHeightGivesAOnePixelViewportAndAspectOfTheWidth) {
    ProbeWindow probe;
    BareWindow bare;
    probe.createContext(bare.window);
    glMatrixMode(GL_MODELVIEW);
    probe.GLWindow::resize(640, 0);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);

    GLdouble projection[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], focalLength / 640.0, 1e-6);
    EXPECT_NEAR(projection[5], focalLength, 1e-5);
    EXPECT_NEAR(projection[10], -(10000.0 + 0.1) / (10000.0 - 0.1), 1e-5);
    EXPECT_NEAR(projection[14], -2.0 * 10000.0 * 0.1 / (10000.0 - 0.1), 1e-5);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLWindowResize, AspectIsNotRoundedToAnInteger) {
    ProbeWindow probe;
    BareWindow bare;
    probe.createContext(bare.window);
    probe.GLWindow::resize(640, 461);
    GLdouble projection[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], focalLength * 461.0 / 640.0, 1e-5);
    // The projection is replaced, not multiplied onto the last one.
    probe.GLWindow::resize(640, 461);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], focalLength * 461.0 / 640.0, 1e-5);
}

TEST(GLWindowPresent, ReportsEveryGLErrorTheFrameLeftBehind) {
    ProbeWindow probe;
    BareWindow bare;
    probe.createContext(bare.window);
    probe.window = bare.window;
    glEnable(0x1234);        // GL_INVALID_ENUM
    glMatrixMode(0x5678);    // GL_INVALID_ENUM again
    testing::internal::CaptureStderr();
    probe.present();
    probe.present();
    const std::string errors = testing::internal::GetCapturedStderr();
    probe.window = nullptr;  // the BareWindow owns it
    EXPECT_EQ(errors, "velmora: GL error 0x0500\n") << errors;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GLWindowCreate, WindowedStartShowsA640By461WindowAtTheOriginWithFrameAndCursorHidden) {
    ProbeWindow probe;
    probe.createWindow();
    ASSERT_NE(probe.window, nullptr);
    EXPECT_EQ(currentApp, &probe);
    EXPECT_STREQ(SDL_GetWindowTitle(probe.window), "Orvak 2002 - Velmora");

    int w = 0;
    int h = 0;
    SDL_GetWindowSize(probe.window, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 461);
    int x = -1;
    int y = -1;
    SDL_GetWindowPosition(probe.window, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    const Uint32 flags = SDL_GetWindowFlags(probe.window);
    EXPECT_NE(flags & SDL_WINDOW_SHOWN, 0u);
    EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_EQ(flags & (SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN), 0u);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    // Context and initial state first, then the first resize and frame.
    EXPECT_EQ(probe.calls,
              (std::vector<std::string>{"initGL", "resize 640x461", "renderFrame"}));
    ASSERT_NE(probe.glContext, nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, GL_TRUE);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
    GLint redBits = 0;
    glGetIntegerv(GL_RED_BITS, &redBits);
    EXPECT_GE(redBits, 8);
}

TEST(GLWindowCreate, FullscreenOnAnotherModeDrawsOffscreenAndTellsTheScenes640By480) {
    ProbeWindow probe(32, true);
    probe.createWindow();
    SDL_DisplayMode mode{};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(probe.window), &mode), 0);
    if (mode.w == 640 && mode.h == 480) GTEST_SKIP() << "the display is in the demo's own mode";
    for (SDL_Event event; SDL_PollEvent(&event) != 0;) windowProc(event);

    // The scenes are only ever told of the size they draw at.
    EXPECT_EQ(probe.calls.at(1), "resize 640x480");
    for (const std::string& call : probe.calls) {
        EXPECT_TRUE(call.rfind("resize", 0) != 0 || call == "resize 640x480") << call;
    }

    // A frame presented through the target leaves the next one the same state.
    GLint bound[3] = {};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound[0]);
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    probe.renderFrame();
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound[1]);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &bound[2]);
    EXPECT_NE(bound[0], 0);
    EXPECT_EQ(bound[1], bound[0]);
    EXPECT_EQ(bound[2], bound[0]);
    GLfloat clearColour[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    EXPECT_TRUE(clearColour[0] == 1.0f && clearColour[3] == 0.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
