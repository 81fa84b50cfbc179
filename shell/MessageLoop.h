// MessageLoop: the demo's idle loop. Pending SDL events go to the window
// procedure; whenever none is pending, the application renders a frame. It
// never blocks waiting for events, so frames come as fast as the display allows.
#pragma once

#include "shell/GLApplication.h"
#include "shell/GLWindow.h"

class MessageLoop {
public:
    MessageLoop(GLApplication& application, WindowProcedure windowProcedure);

    // Returns once a quit event or a quit request (a signal, a refused quit
    // event) has been handled, or renderFrame reports the end of the demo.
    void run();

    // Frames rendered from idle turns (not counting those drawn for exposes).
    long idleFrames = 0;

private:
    GLApplication& application;
    WindowProcedure windowProcedure;
};
