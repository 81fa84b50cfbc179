// WebCanvas: the page's <canvas> as the demo's screen — a WebGL 2 context on
// it, the fixed-function layer the scenes draw through attached to that
// context, and an offscreen RGBA picture of the demo's own size that every
// frame is drawn into and then shown on the canvas. (WebGL refuses to copy
// from a framebuffer without alpha into an RGBA texture, which the cube star
// scene does each frame; the canvas itself stays opaque.)
#pragma once

#include <memory>
#include <string>

namespace webgl {
class Layer;
}

class WebCanvas {
public:
    // Makes the context on the canvas `selector` names (a CSS selector) and
    // the picture `width` x `height`, bound for drawing. Throws CError
    // "Error getting the window DC" when the browser gives no WebGL 2.
    WebCanvas(const char* selector, int width, int height);
    ~WebCanvas();
    WebCanvas(const WebCanvas&) = delete;
    WebCanvas& operator=(const WebCanvas&) = delete;

    // Copies the picture onto the canvas (the browser shows it when the
    // animation frame returns) and binds the picture again.
    void present();
    // Copies the picture, on the GPU, to a second one kept for readShown
    // (made on first use): the fixed-clock mode keeps every frame it shows
    // but reads back only the few it wants, since a read-back waits for the
    // GPU and stops the page running ahead of it.
    void keepShown();
    // RGBA bytes of the picture last kept, rows bottom-up as glReadPixels
    // gives them.
    void readShown(unsigned char* rgba);
    // The browser took the context away (a lost GPU, too many contexts):
    // nothing can be drawn any more.
    bool lost() const { return contextLost; }

    int width() const { return pictureWidth; }
    int height() const { return pictureHeight; }
    webgl::Layer& layer() { return *drawing; }

private:
    static int onContextLost(int eventType, const void* event, void* self);
    void makeColourTarget(unsigned& texture, unsigned& target);

    std::string selector;  // the lost-context callback is removed from the same canvas
    int pictureWidth;
    int pictureHeight;
    int context = 0;  // EMSCRIPTEN_WEBGL_CONTEXT_HANDLE
    unsigned framebuffer = 0, colour = 0, depth = 0;
    unsigned shownFramebuffer = 0, shownColour = 0;
    std::unique_ptr<webgl::Layer> drawing;
    bool contextLost = false;
};
