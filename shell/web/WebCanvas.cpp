// WebCanvas: the WebGL 2 context, the layer and the offscreen picture. The
// layer owns the gl* names, so the few ES calls made here go through
// emscripten's emscripten_gl* aliases.
#include "shell/web/WebCanvas.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <GL/gl.h>

#include <stdexcept>
#include <string>

#include "shell/CError.h"
#include "webgl/Layer.h"

WebCanvas::WebCanvas(const char* selector, int width, int height)
    : selector(selector), pictureWidth(width), pictureHeight(height) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = false;  // the picture has its own depth buffer
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.premultipliedAlpha = false;
    attributes.preserveDrawingBuffer = false;
    context = static_cast<int>(emscripten_webgl_create_context(selector, &attributes));
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        throw CError("Error getting the window DC", "the browser gives no WebGL 2 context");
    }
    emscripten_set_webglcontextlost_callback(selector, this, false,
                                             [](int type, const void* event, void* self) -> EM_BOOL {
                                                 return onContextLost(type, event, self);
                                             });

    makeColourTarget(colour, framebuffer);
    emscripten_glGenRenderbuffers(1, &depth);
    emscripten_glBindRenderbuffer(GL_RENDERBUFFER, depth);
    // 24 bits: the depth the desktop's windows get where 32 is refused.
    emscripten_glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    emscripten_glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    if (emscripten_glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        throw CError("Error getting the window DC", "no RGBA picture of the demo's size in WebGL 2");
    }
    try {
        drawing = std::make_unique<webgl::Layer>(webgl::webGlesApi());
    } catch (const std::runtime_error& error) {
        throw CError("Error getting the window DC", error.what());
    }
    webgl::attach(drawing.get());
}

WebCanvas::~WebCanvas() {
    webgl::attach(nullptr);
    drawing.reset();
    if (!contextLost) {
        emscripten_glBindFramebuffer(GL_FRAMEBUFFER, 0);
        emscripten_glDeleteFramebuffers(1, &framebuffer);
        emscripten_glDeleteFramebuffers(1, &shownFramebuffer);
        emscripten_glDeleteTextures(1, &shownColour);
        emscripten_glDeleteRenderbuffers(1, &depth);
        emscripten_glDeleteTextures(1, &colour);
    }
    emscripten_set_webglcontextlost_callback(selector.c_str(), nullptr, false, nullptr);
    emscripten_webgl_destroy_context(context);
}

int WebCanvas::onContextLost(int, const void*, void* self) {
    auto* canvas = static_cast<WebCanvas*>(self);
    canvas->contextLost = true;
    if (canvas->drawing) canvas->drawing->renderer().contextLost();
    return 1;
}

void WebCanvas::present() {
    if (contextLost) return;
    // Whatever the scenes batched goes out before the picture is copied.
    glFlush();
    emscripten_glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    emscripten_glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    emscripten_glBlitFramebuffer(0, 0, pictureWidth, pictureHeight, 0, 0, pictureWidth, pictureHeight,
                                 GL_COLOR_BUFFER_BIT, GL_NEAREST);
    emscripten_glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

// An RGBA texture of the picture's size as the colour of a new framebuffer,
// which is left bound. The texture bound before stays bound: the layer
// remembers which one it left there.
void WebCanvas::makeColourTarget(unsigned& texture, unsigned& target) {
    GLint bound = 0;
    emscripten_glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    emscripten_glGenTextures(1, &texture);
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, pictureWidth, pictureHeight);
    emscripten_glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    emscripten_glGenFramebuffers(1, &target);
    emscripten_glBindFramebuffer(GL_FRAMEBUFFER, target);
    emscripten_glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

void WebCanvas::keepShown() {
    if (contextLost) return;
    glFlush();
    if (shownFramebuffer == 0) makeColourTarget(shownColour, shownFramebuffer);
    emscripten_glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    emscripten_glBindFramebuffer(GL_DRAW_FRAMEBUFFER, shownFramebuffer);
    emscripten_glBlitFramebuffer(0, 0, pictureWidth, pictureHeight, 0, 0, pictureWidth, pictureHeight,
                                 GL_COLOR_BUFFER_BIT, GL_NEAREST);
    emscripten_glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void WebCanvas::readShown(unsigned char* rgba) {
    if (contextLost || shownFramebuffer == 0) return;
    emscripten_glBindFramebuffer(GL_READ_FRAMEBUFFER, shownFramebuffer);
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    emscripten_glReadPixels(0, 0, pictureWidth, pictureHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    emscripten_glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}
