// Opens the rendering window with an 8-bit colour depth, which its context
// refuses, then runs the idle loop, and prints what happened: the failure is
// reported in a box over the window (the script dismisses it), the window
// still comes up, and the loop ends on the posted quit without an idle frame.
#include <SDL.h>

#include <cstdio>

#include "shell/CError.h"
#include "shell/GLWindow.h"
#include "shell/MessageBox.h"
#include "shell/MessageLoop.h"

namespace {

class EightBitWindow : public GLWindow {
public:
    EightBitWindow() : GLWindow("Orvak 2002 - Velmora", windowProc, 640, 480, 8, false) {}
    int initCalls = 0;
    int frames = 0;
    void initGL() override { ++initCalls; }
    bool renderFrame() override {
        ++frames;
        present();
        return false;
    }
};

}  // namespace

int main() {
    // Boxes as the program shows them, which the script looks for.
    installErrorPresenter(showWarningBox);
    try {
        EightBitWindow window;
        window.createWindow();
        MessageLoop loop(window, windowProc);
        loop.run();
        std::printf("initGL %d, frames %d, idle frames %ld, context %s\n", window.initCalls,
                    window.frames, loop.idleFrames, window.glContext != nullptr ? "kept" : "none");
    } catch (...) {
        std::printf("escaped\n");
    }
    return 0;
}
