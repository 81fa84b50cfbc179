// MessageLoop: polls SDL events for the window procedure and renders a frame
// on every turn that finds the queue empty.
#include "shell/MessageLoop.h"

MessageLoop::MessageLoop(GLApplication& application, WindowProcedure windowProcedure)
    : application(application), windowProcedure(windowProcedure) {}

void MessageLoop::run() {
    for (;;) {
        SDL_Event event;
        if (SDL_PollEvent(&event) != 0) {
            // The quit event still reaches the procedure, which lets go of
            // the GL context on it (a quit from the system, not from us).
            windowProcedure(event);
            if (event.type == SDL_QUIT) return;
            continue;
        }
        ++idleFrames;
        if (application.renderFrame()) return;
    }
}
