// OffscreenTarget: the framebuffer object frames are drawn into whenever the
// window's drawable is not the picture's own size (a fullscreen display that
// kept another mode, a resized or maximized window, a high-density screen),
// and the step that presents it: one blit scaled to the window, shape kept,
// centred between black bars. The framebuffer entry points are looked up at
// run time.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <memory>
#include <string>

// Where a picture lands on a screen, in GL window coordinates (origin at the
// bottom left). A whole-number scale copies pixels; any other is filtered.
struct ScaledPicture {
    int x;
    int y;
    int width;
    int height;
    bool wholeScale;
};

// The largest picture of the source's shape that fits the screen, centred.
ScaledPicture fitToScreen(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

class OffscreenTarget {
public:
    // A complete width x height target, bound for drawing and reading; null
    // when the current context cannot have one, and `whyNot` then says why.
    static std::unique_ptr<OffscreenTarget> create(int width, int height, std::string& whyNot);
    // Whether the current context offers framebuffer objects at all.
    static bool available();
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    // Puts the picture drawn so far on the window's own framebuffer of the
    // given size, ready for the swap, and binds the target again: the next
    // frame finds the GL state exactly as this one left it.
    void present(int screenWidth, int screenHeight);

private:
    // Core OpenGL 3.0 and GL_ARB_framebuffer_object use these names; the
    // older EXT extensions the same ones with an "EXT" suffix.
    struct Functions {
        PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
        PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
        PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
        PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
        PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
        PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
        PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
        PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
        PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
        PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
    };

    static bool load(Functions& gl);
    OffscreenTarget(const Functions& gl, int width, int height);
    GLuint attach(GLenum attachment, GLenum format);

    Functions gl;
    int width;
    int height;
    GLuint framebuffer = 0;
    GLuint colourBuffer = 0;
    GLuint depthBuffer = 0;
};
