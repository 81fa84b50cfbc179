// OffscreenTarget: a framebuffer object with a colour and a depth renderbuffer
// standing in for the window's own framebuffer, and the blit that shows it on
// a screen of another size.
#include "shell/OffscreenTarget.h"

#include <SDL.h>

#include <cstdlib>
#include <type_traits>

namespace {

// "" for the core and ARB entry points, "EXT" for the older extensions (which
// blit only with their own blit extension), null when the driver has neither.
const char* entryPointSuffix() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if ((version != nullptr && std::atoi(version) >= 3) ||
        SDL_GL_ExtensionSupported("GL_ARB_framebuffer_object")) {
        return "";
    }
    if (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object") &&
        SDL_GL_ExtensionSupported("GL_EXT_framebuffer_blit")) {
        return "EXT";
    }
    return nullptr;
}

// A / B rounded to the nearest whole number, for positive operands.
long roundedQuotient(long a, long b) { return (2 * a + b) / (2 * b); }

}  // namespace

ScaledPicture fitToScreen(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
    ScaledPicture picture{0, 0, screenWidth, screenHeight, false};
    // Cross-multiplied so that exact fits (4:3 on 4:3) stay exact.
    if (static_cast<long>(screenWidth) * pictureHeight <=
        static_cast<long>(screenHeight) * pictureWidth) {
        picture.height = static_cast<int>(
            roundedQuotient(static_cast<long>(screenWidth) * pictureHeight, pictureWidth));
        picture.wholeScale = screenWidth % pictureWidth == 0;
    } else {
        picture.width = static_cast<int>(
            roundedQuotient(static_cast<long>(screenHeight) * pictureWidth, pictureHeight));
        picture.wholeScale = screenHeight % pictureHeight == 0;
    }
    picture.x = (screenWidth - picture.width) / 2;
    picture.y = (screenHeight - picture.height) / 2;
    return picture;
}

bool OffscreenTarget::load(Functions& gl) {
    const char* suffix = entryPointSuffix();
    bool loaded = suffix != nullptr;
    auto entry = [&](auto& function, const std::string& name) {
        if (!loaded) return;
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            SDL_GL_GetProcAddress((name + suffix).c_str()));
        loaded = function != nullptr;
    };
    entry(gl.genFramebuffers, "glGenFramebuffers");
    entry(gl.deleteFramebuffers, "glDeleteFramebuffers");
    entry(gl.bindFramebuffer, "glBindFramebuffer");
    entry(gl.genRenderbuffers, "glGenRenderbuffers");
    entry(gl.deleteRenderbuffers, "glDeleteRenderbuffers");
    entry(gl.bindRenderbuffer, "glBindRenderbuffer");
    entry(gl.renderbufferStorage, "glRenderbufferStorage");
    entry(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    entry(gl.checkFramebufferStatus, "glCheckFramebufferStatus");
    entry(gl.blitFramebuffer, "glBlitFramebuffer");
    return loaded;
}

bool OffscreenTarget::available() {
    Functions gl{};
    return load(gl);
}

std::unique_ptr<OffscreenTarget> OffscreenTarget::create(int width, int height,
                                                         std::string& whyNot) {
    Functions gl{};
    if (!load(gl)) {
        whyNot = "the OpenGL driver offers no framebuffer objects";
        return nullptr;
    }

    std::unique_ptr<OffscreenTarget> target(new OffscreenTarget(gl, width, height));
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        whyNot = "the OpenGL driver cannot draw into a " + std::to_string(width) + " x " +
                 std::to_string(height) + " framebuffer object";
        return nullptr;
    }
    return target;
}

OffscreenTarget::OffscreenTarget(const Functions& gl, int width, int height)
    : gl(gl), width(width), height(height) {
    gl.genFramebuffers(1, &framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // No alpha, like the window's pixel format: copies to texture and
    // blending by destination alpha then read 1 here as they do on screen.
    colourBuffer = attach(GL_COLOR_ATTACHMENT0, GL_RGB8);
    depthBuffer = attach(GL_DEPTH_ATTACHMENT, GL_DEPTH_COMPONENT24);
    gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
}

GLuint OffscreenTarget::attach(GLenum attachment, GLenum format) {
    GLuint buffer = 0;
    gl.genRenderbuffers(1, &buffer);
    gl.bindRenderbuffer(GL_RENDERBUFFER, buffer);
    gl.renderbufferStorage(GL_RENDERBUFFER, format, width, height);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffer);
    return buffer;
}

OffscreenTarget::~OffscreenTarget() {
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.deleteRenderbuffers(1, &depthBuffer);
    gl.deleteRenderbuffers(1, &colourBuffer);
    gl.deleteFramebuffers(1, &framebuffer);
}

void OffscreenTarget::present(int screenWidth, int screenHeight) {
    const ScaledPicture picture = fitToScreen(width, height, screenWidth, screenHeight);
    GLfloat clearColour[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);

    // The bars are cleared on every frame: after a swap the window's back
    // buffer holds nothing defined.
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    gl.blitFramebuffer(0, 0, width, height, picture.x, picture.y, picture.x + picture.width,
                       picture.y + picture.height, GL_COLOR_BUFFER_BIT,
                       picture.wholeScale ? GL_NEAREST : GL_LINEAR);

    // The read binding never left the target.
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
}
